// zelk.exe driven from outside, as a user and the system see it: the process started with a
// catalogue, its windows found and inspected through the Win32 API, its exit status read.
#include "lookup/NoSpreadsheet.h"
#include "lookup/ZelkExitStatus.h"
#include "platform/win32/LookupWindow.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace {

// Each wait ends as soon as its condition holds; the deadline only stops a test that would hang.
bool waitFor(const std::function<bool()>& condition) {
    const ULONGLONG deadline = GetTickCount64() + 30000;
    while (!condition()) {
        if (GetTickCount64() > deadline)
            return false;
        Sleep(20);
    }
    return true;
}

// The repo's and the build's folders as wide texts: Unix paths, which Wine reads on its drive Z:.
#define ZELK_WIDE_TEXT(text) L##text
#define ZELK_WIDE(text) ZELK_WIDE_TEXT(text)
std::wstring sourceFile(const std::wstring& path) {
    return ZELK_WIDE(ZELK_SOURCE_DIR) L"/" + path;
}

// Texts through messages, which the system carries across processes.
std::wstring windowText(HWND window) {
    wchar_t text[1024] = {};
    SendMessageW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
    return text;
}

std::vector<std::wstring> listItems(HWND list, UINT countMessage, UINT textMessage) {
    std::vector<std::wstring> items;
    const auto count = SendMessageW(list, countMessage, 0, 0);
    for (WPARAM i = 0; i < WPARAM(count); ++i) {
        wchar_t text[256] = {};
        SendMessageW(list, textMessage, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

bool isTopMost(HWND window) {
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// The text of a message box: that of its static controls.
std::wstring messageBoxText(HWND box) {
    std::wstring text;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM found) {
            wchar_t className[16] = {};
            GetClassNameW(child, className, int(std::size(className)));
            if (lstrcmpiW(className, L"Static") == 0)
                *reinterpret_cast<std::wstring*>(found) += windowText(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    return text;
}

class ZelkProcess {
public:
    explicit ZelkProcess(const std::wstring& argument) {
        std::wstring commandLine = L"\"" ZELK_WIDE(ZELK_BINARY_DIR) L"/bin/zelk.exe\" " + argument;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &m_process);
    }
    ~ZelkProcess() {
        if (!m_process.hProcess)
            return;
        TerminateProcess(m_process.hProcess, 255);
        WaitForSingleObject(m_process.hProcess, 10000);
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
    }

    // The visible top-level window of this process with the class and, if given, the title.
    HWND window(const wchar_t* className, const wchar_t* title = nullptr) const {
        HWND found = nullptr;
        waitFor([&] {
            for (HWND w = FindWindowExW(nullptr, nullptr, className, title); w && !found;
                 w = FindWindowExW(nullptr, w, className, title)) {
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                if (owner == m_process.dwProcessId && IsWindowVisible(w))
                    found = w;
            }
            return found != nullptr;
        });
        return found;
    }

    int exitStatus() const {
        DWORD status = 0;
        const bool ended = WaitForSingleObject(m_process.hProcess, 30000) == WAIT_OBJECT_0;
        return ended && GetExitCodeProcess(m_process.hProcess, &status) ? int(status) : -1;
    }

private:
    PROCESS_INFORMATION m_process{};
};

class Win32Lookup : public ::testing::Test {
protected:
    // Quoted, as Explorer and shortcuts pass a path.
    ZelkProcess zelk{L"\"" + sourceFile(L"tests/data/link-table.csv") + L"\""};
    HWND window = zelk.window(L"frmZELK");

    HWND control(std::string_view name, HWND container = nullptr) const {
        return GetDlgItem(container ? container : window, controlId(lookupWindowDesign().control(name)));
    }
    std::wstring valueLabel() const { return windowText(control("lblW", control("Picture1"))); }
};

TEST_F(Win32Lookup, startsOnTopWithTheCatalogueInCaptionAndLists) {
    ASSERT_TRUE(window);
    EXPECT_EQ(windowText(window), L"ZELK_Win [ link-table.csv ]");
    EXPECT_TRUE(isTopMost(window));
    EXPECT_EQ(listItems(control("cmbmem"), CB_GETCOUNT, CB_GETLBTEXT),
              (std::vector<std::wstring>{L"H-SECTION", L"PLATE", L"PIPE", L"ODD KIND"}));
    EXPECT_EQ(SendMessageW(control("cmbmem"), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(listItems(control("lstnum"), LB_GETCOUNT, LB_GETTEXT),
              (std::vector<std::wstring>{L"H-100x50x5x7", L"H-100x100x6x8"}));
    EXPECT_EQ(SendMessageW(control("lstnum"), LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(valueLabel(), L"");
}

TEST_F(Win32Lookup, resizingStretchesTheListsAndKeepsTheStripAtTheBottom) {
    ASSERT_TRUE(window);
    SetWindowPos(window, nullptr, 0, 0, 400, 500, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const auto rect = [](HWND control) {
        RECT r{};
        GetWindowRect(control, &r);
        return r;
    };
    EXPECT_EQ(rect(control("lstnum")).right, client.right);
    EXPECT_EQ(rect(control("cmbmem")).right, client.right);
    const RECT strip = rect(control("Picture1"));
    EXPECT_EQ(std::tuple(strip.left, strip.right, strip.bottom),
              std::tuple(client.left, client.right, client.bottom));
    EXPECT_LE(rect(control("lstnum")).bottom, strip.top);
}

TEST_F(Win32Lookup, notOnTopWhileTheEditorOrAboutIsOpen) {
    ASSERT_TRUE(window);
    for (const auto& [command, caption] :
         {std::pair{MenuItem::mnuver, L"ﾊﾞｰｼﾞｮﾝ情報"}, std::pair{MenuItem::mnuedit, L"Text Screen"}}) {
        // Posted: the command returns only when its window has closed.
        PostMessageW(window, WM_COMMAND, WPARAM(menuCommandId(command)), 0);
        HWND modal = zelk.window(L"#32770", caption);
        ASSERT_TRUE(modal) << "no window " << caption;
        EXPECT_FALSE(isTopMost(window));
        if (command == MenuItem::mnuver)
            PostMessageW(GetDlgItem(modal, controlId(aboutWindowDesign().control("Command1"))), BM_CLICK, 0,
                         0);
        else
            PostMessageW(modal, WM_CLOSE, 0, 0);
        EXPECT_TRUE(waitFor([&] { return !IsWindow(modal); }));
        EXPECT_TRUE(waitFor([&] { return isTopMost(window); }));
    }
}

// Wine keeps a menu in the process that owns it: its marks and captions are read in the window's
// own process, from the same window class as zelk.exe's.
TEST(Win32LookupWindow, menusShowTheCatalogueTitlesAndTheModeCheckMarks) {
    NoSpreadsheet noSpreadsheet;
    LookupWindow lookup(noSpreadsheet);
    ASSERT_TRUE(lookup.create());
    ASSERT_EQ(lookup.logic().Form_Load(std::filesystem::path(sourceFile(L"tests/data/link-table.csv"))),
              LookupWindowLogic::StartOutcome::Shown);
    const HMENU menu = GetMenu(lookup.handle());
    const auto captions = [](HMENU submenu) {
        std::vector<std::wstring> texts(std::size_t(GetMenuItemCount(submenu)), std::wstring(64, L'\0'));
        for (std::size_t i = 0; i < texts.size(); ++i)
            texts[i].resize(
                std::size_t(GetMenuStringW(submenu, UINT(i), texts[i].data(), 64, MF_BYPOSITION)));
        return texts;
    };
    using Texts = std::vector<std::wstring>;
    EXPECT_EQ(captions(menu), (Texts{L"設定(&S)", L"ヘルプ(&H)"}));
    // Not the standard catalogue: no coefficient command.
    EXPECT_EQ(captions(GetSubMenu(menu, 0)),
              (Texts{L"データ編集(&E)", L"エクセル連動する(&E)", L"貼付内容(&C)"}));
    EXPECT_EQ(captions(GetSubMenu(GetSubMenu(menu, 0), 2)),
              (Texts{L"表形式(&T)", L"Unit weightのみ(&W)", L"Paint areaのみ(&P)"}));
    // The marks of mnuexcel, mnuT, mnuW and mnuP after each command.
    const auto marks = [&] {
        const MenuItem items[] = {MenuItem::mnuexcel, MenuItem::mnuT, MenuItem::mnuW, MenuItem::mnuP};
        std::array<bool, 4> checked{};
        for (std::size_t i = 0; i < checked.size(); ++i)
            checked[i] = GetMenuState(menu, UINT(menuCommandId(items[i])), MF_BYCOMMAND) & MF_CHECKED;
        return checked;
    };
    const std::pair<std::optional<MenuItem>, std::array<bool, 4>> steps[] = {
        {std::nullopt, {true, true, false, false}},    {MenuItem::mnuW, {true, false, true, false}},
        {MenuItem::mnuP, {true, false, false, true}},  {MenuItem::mnuexcel, {false, false, false, true}},
        {MenuItem::mnuT, {false, true, false, false}}, {MenuItem::mnuexcel, {true, true, false, false}},
    };
    for (const auto& [command, expected] : steps) {
        if (command)
            SendMessageW(lookup.handle(), WM_COMMAND, WPARAM(menuCommandId(*command)), 0);
        EXPECT_EQ(marks(), expected);
    }
}

TEST(Win32Start, aCatalogueThatCannotBeUsedIsReportedAndEndsTheProgram) {
    struct Case {
        std::wstring catalogue;
        std::wstring messageNames;
        int exitStatus;
    };
    const Case cases[] = {
        {L"tests/no-such-catalogue.csv", L"no-such-catalogue.csv", ZelkExitCatalogueMissing},
        {L"tests/hostile/tag-wrong-line-1/input.csv", L"W>", ZelkExitCatalogueFault}, // the tag it lacks
    };
    for (const Case& c : cases) {
        ZelkProcess zelk(sourceFile(c.catalogue));
        HWND box = zelk.window(L"#32770", L"ZELK_Win");
        ASSERT_TRUE(box) << c.catalogue;
        EXPECT_NE(messageBoxText(box).find(c.messageNames), std::wstring::npos) << c.catalogue;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(zelk.exitStatus(), c.exitStatus) << c.catalogue;
    }
}

} // namespace

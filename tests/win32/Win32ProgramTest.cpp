// zelk.exe driven from outside, as a user and the system see it: the process started with a
// catalogue, its windows found and inspected through the Win32 API, its exit status read.
#include "forms/ZelkExitStatus.h"
#include "link/NoSpreadsheet.h"
#include "platform/win32/LookupWindow.h"
#include "platform/win32/SystemFunction.h"
#include "win32/ProgramHarness.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

namespace {

// A list's or combo box's items, "|" between them.
std::wstring listItems(HWND list, UINT countMessage, UINT textMessage) {
    std::wstring items;
    for (WPARAM i = 0, count = WPARAM(SendMessageW(list, countMessage, 0, 0)); i < count; ++i) {
        wchar_t text[256] = {};
        SendMessageW(list, textMessage, i, reinterpret_cast<LPARAM>(text));
        items += (i ? L"|" : L"") + std::wstring(text);
    }
    return items;
}

bool isTopMost(HWND window) {
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

class Win32Lookup : public ::testing::Test {
protected:
    Zelk zelk{sourceFile("tests/data/link-table.csv")};
    HWND window = zelk.window();

    void SetUp() override { ASSERT_TRUE(window); }
    HWND control(std::string_view name) const { return zelk.control(name); }
};

TEST_F(Win32Lookup, startsOnTopWithTheCatalogueAndResizesItsControls) {
    EXPECT_EQ(windowText(window), L"ZELK_Win [ link-table.csv ]");
    EXPECT_TRUE(isTopMost(window));
    EXPECT_EQ(listItems(control("cmbmem"), CB_GETCOUNT, CB_GETLBTEXT), L"H-SECTION|PLATE|PIPE|ODD KIND");
    EXPECT_EQ(SendMessageW(control("cmbmem"), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(listItems(control("lstnum"), LB_GETCOUNT, LB_GETTEXT), L"H-100x50x5x7|H-100x100x6x8");
    EXPECT_EQ(SendMessageW(control("lstnum"), LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(zelk.valueLabel(), L"");
    // Resized, the lists stretch and the strip stays at the bottom.
    SetWindowPos(window, nullptr, 0, 0, 400, 500, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_EQ(windowRect(control("lstnum")).right, client.right);
    EXPECT_EQ(windowRect(control("cmbmem")).right, client.right);
    const RECT strip = windowRect(control("Picture1"));
    EXPECT_EQ(std::tuple(strip.left, strip.right, strip.bottom),
              std::tuple(client.left, client.right, client.bottom));
    EXPECT_LE(windowRect(control("lstnum")).bottom, strip.top);
}

TEST_F(Win32Lookup, notOnTopWhileTheEditorOrAboutIsOpen) {
    for (const auto& [command, caption] :
         {std::pair{MenuItem::mnuver, L"ﾊﾞｰｼﾞｮﾝ情報"}, std::pair{MenuItem::mnuedit, L"Text Screen"}}) {
        // Posted: the command returns only when its window has closed.
        PostMessageW(window, WM_COMMAND, WPARAM(menuCommandId(command)), 0);
        HWND modal = zelk.find(L"#32770", caption);
        ASSERT_TRUE(modal) << "no window " << caption;
        EXPECT_FALSE(isTopMost(window));
        if (command == MenuItem::mnuver)
            PostMessageW(GetDlgItem(modal, controlId(aboutWindowDesign().control("Command1"))), BM_CLICK, 0,
                         0);
        else
            PostMessageW(modal, WM_CLOSE, 0, 0);
        EXPECT_TRUE(pumpUntil([&] { return !IsWindow(modal); }));
        EXPECT_TRUE(pumpUntil([&] { return isTopMost(window); }));
    }
}

// Wine keeps a menu in the process that owns it: its marks and captions are read in the window's
// own process, from the same window class as zelk.exe's.
TEST(Win32LookupWindow, menusShowTheCatalogueTitlesAndTheModeCheckMarks) {
    NoSpreadsheet noSpreadsheet;
    LookupWindow lookup(noSpreadsheet);
    ASSERT_TRUE(lookup.create());
    ASSERT_EQ(lookup.logic().Form_Load(std::filesystem::path(sourceFile("tests/data/link-table.csv"))),
              LookupWindowLogic::StartOutcome::Shown);
    const HMENU menu = GetMenu(lookup.handle());
    // The catalogue's titles in the mode captions; not the standard catalogue: no coefficient command.
    wchar_t caption[64] = {};
    GetMenuStringW(menu, UINT(menuCommandId(MenuItem::mnuW)), caption, 64, MF_BYCOMMAND);
    EXPECT_STREQ(caption, L"Unit weightのみ(&W)");
    EXPECT_EQ(GetMenuState(menu, UINT(menuCommandId(MenuItem::mnuptarea)), MF_BYCOMMAND), UINT(-1));
    // The marks of mnuexcel, mnuT, mnuW and mnuP, before and after a mode command (each command in
    // turn is the Qt window's test: the logic behind the marks is one).
    const auto marks = [&] {
        std::string text;
        for (const MenuItem item : {MenuItem::mnuexcel, MenuItem::mnuT, MenuItem::mnuW, MenuItem::mnuP})
            text += GetMenuState(menu, UINT(menuCommandId(item)), MF_BYCOMMAND) & MF_CHECKED ? 'x' : '-';
        return text;
    };
    EXPECT_EQ(marks(), "xx--");
    SendMessageW(lookup.handle(), WM_COMMAND, WPARAM(menuCommandId(MenuItem::mnuW)), 0);
    EXPECT_EQ(marks(), "x-x-");
}

// Moved to a screen of twice the DPI, the window takes the frame the system suggests, and its
// controls and their fonts grow with it (Wine sends no WM_DPICHANGED of its own).
TEST(Win32LookupWindow, aNewDpiScalesTheControlsAndTheirFonts) {
    NoSpreadsheet noSpreadsheet;
    LookupWindow lookup(noSpreadsheet);
    ASSERT_TRUE(lookup.create());
    // The frame's width and height, the strip's height, the member list's font height.
    const auto sizes = [&] {
        const RECT frame = windowRect(lookup.handle()),
                   strip = windowRect(designControl(lookup.handle(), "Picture1"));
        LOGFONTW font{};
        GetObjectW(HFONT(SendMessageW(designControl(lookup.handle(), "lstnum"), WM_GETFONT, 0, 0)),
                   sizeof font, &font);
        return std::vector<long>{frame.right - frame.left, frame.bottom - frame.top, strip.bottom - strip.top,
                                 std::abs(font.lfHeight)};
    };
    const std::vector<long> before = sizes();
    const UINT dpi = 2 * GetDpiForWindow(lookup.handle());
    RECT suggested{40, 30, 40 + 2 * before[0], 30 + 2 * before[1]};
    SendMessageW(lookup.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    const std::vector<long> after = sizes();
    for (std::size_t i = 0; i < after.size(); ++i)
        EXPECT_NEAR(after[i], 2 * before[i], 1) << "size " << i;
}

// What the program loads only when first needed (Save As, help, a transfer's timer) is there.
TEST(Win32SystemFunctions, areFoundWhereTheProgramLooksForThem) {
    EXPECT_TRUE(saveFileDialog() && shellExecute() && beginTimerPeriod() && endTimerPeriod());
}

TEST(Win32Start, aCatalogueThatCannotBeUsedIsReportedAndEndsTheProgram) {
    // The message names the file, or the tag that the first line lacks.
    for (const auto& [catalogue, named, status] :
         {std::tuple{"tests/missing.csv", L"missing.csv", ZelkExitStatus::CatalogueMissing},
          std::tuple{"tests/hostile/tag-wrong-line-1/input.csv", L"W>", ZelkExitStatus::CatalogueFault}}) {
        Zelk zelk(sourceFile(catalogue));
        HWND box = zelk.find(L"#32770", L"ZELK_Win");
        ASSERT_TRUE(box) << catalogue;
        // The message: the box's static control 0xFFFF, in Windows' and in Wine's message box.
        EXPECT_NE(windowText(GetDlgItem(box, 0xFFFF)).find(named), std::wstring::npos) << catalogue;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(zelk.exitStatus(), int(status)) << catalogue;
    }
}

} // namespace

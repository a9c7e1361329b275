// The spreadsheet link on Windows end to end: the Win32 sink, driven by the lookup window's link
// logic, types members into the stand-in spreadsheet, a program of its own on the same desktop;
// the stand-in's grid is compared cell by cell. The cases are the X11 test's.
#include "catalogue/LoadCatalogue.h"
#include "lookup/SpreadsheetLink.h"
#include "platform/win32/Win32TransferSink.h"
#include "standin-win32/LinkHarness.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

constexpr int kTransferTimeoutMs = 20000;

struct Step {
    std::string command; // "alt+s c w": the mode command it ends with; empty for a choice
    std::int16_t g = 0, m = 0;
    std::string cursor;
    std::string pastes;
};

struct LinkCase {
    std::string name, catalogue, window, search;
    std::vector<Step> steps;
    std::vector<std::string> grid; // "A1=text", "cursor=A4", ...
};

std::vector<std::string> tabFields(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, '\t');)
        fields.push_back(field);
    return fields;
}

std::vector<LinkCase> readCases() {
    std::ifstream in(ZELK_SOURCE_DIR "/tests/data/x11-link-cases.txt");
    std::vector<LinkCase> cases;
    for (std::string line; std::getline(in, line);) {
        const std::vector<std::string> f = tabFields(line);
        if (f.size() < 2 || f[0].starts_with('#'))
            continue;
        if (f[0] == "case")
            cases.push_back(LinkCase{f[1], {}, {}, {}, {}, {}});
        else if (f[0] == "catalogue")
            cases.back().catalogue = f[1];
        else if (f[0] == "window")
            cases.back().window = f[1];
        else if (f[0] == "search")
            cases.back().search = f[1];
        else if (f[0] == "command")
            cases.back().steps.push_back(Step{f[1], 0, 0, {}, {}});
        else if (f[0] == "choose" && f.size() >= 5)
            cases.back().steps.push_back(
                Step{"", std::int16_t(std::stoi(f[1])), std::int16_t(std::stoi(f[2])), f[3], f[4]});
        else if (f[0] == "grid" && f.size() >= 3)
            cases.back().grid.push_back(f[1] + '=' + f[2]);
    }
    return cases;
}

std::u16string clipboardText() {
    std::u16string text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const char16_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

std::string foregroundTitle() {
    char title[256] = "";
    GetWindowTextA(GetForegroundWindow(), title, sizeof title);
    return title;
}

void PrintTo(const LinkCase& linkCase, std::ostream* out) {
    *out << linkCase.name;
}

class Win32SpreadsheetLink : public testing::TestWithParam<LinkCase> {};

} // namespace

TEST_P(Win32SpreadsheetLink, membersArrive) {
    const LinkCase& c = GetParam();
    Catalogue catalogue;
    ASSERT_EQ(LoadCatalogue(catalogue, ZELK_SOURCE_DIR "/tests/data/" + c.catalogue).status,
              LoadResult::Status::Loaded);
    StandIn standIn(c.window);
    ASSERT_TRUE(standIn.running());
    _wputenv_s(L"ZELK_SPREADSHEET_TITLE", wide(c.search).c_str()); // empty: unset
    MessageView view;
    const std::unique_ptr<TransferSink> sink = createPlatformTransferSink();
    SpreadsheetLink link(*sink, view);
    link.TransferEnabled = true;
    link.mnuT_Click();
    for (const Step& step : c.steps) {
        if (!step.command.empty()) {
            const char mode = step.command.back();
            (link.*(mode == 'w'   ? &SpreadsheetLink::mnuW_Click
                    : mode == 'p' ? &SpreadsheetLink::mnuP_Click
                                  : &SpreadsheetLink::mnuT_Click))();
            continue;
        }
        link.TransferToSpreadsheet(catalogue, step.g, step.m);
        // The keys sent without wait at the end may still be on their way.
        const std::vector<std::string> arrived{"cursor=" + step.cursor, "pastes=" + step.pastes};
        EXPECT_TRUE(pumpUntil(
            [&] {
                const std::vector<std::string> now = standIn.grid();
                return std::includes(now.begin(), now.end(), arrived.begin(), arrived.end());
            },
            kTransferTimeoutMs))
            << "member " << step.g << "/" << step.m << ", foreground: " << foregroundTitle();
    }
    std::vector<std::string> expected = c.grid;
    std::sort(expected.begin(), expected.end());
    pumpUntil([&] { return standIn.grid() == expected; }, kTransferTimeoutMs);
    EXPECT_EQ(standIn.grid(), expected);
    EXPECT_TRUE(view.messages.empty());
    _wputenv_s(L"ZELK_SPREADSHEET_TITLE", L"");
}

INSTANTIATE_TEST_SUITE_P(Cases, Win32SpreadsheetLink, testing::ValuesIn(readCases()),
                         [](const testing::TestParamInfo<LinkCase>& param) {
                             std::string name = param.param.name;
                             std::replace_if(
                                 name.begin(), name.end(), [](char c) { return !isalnum(c); }, '_');
                             return name;
                         });

// With no window of the searched title, a choice neither activates nor types into another window
// and leaves the clipboard as the user had it.
TEST(Win32SpreadsheetLinkNoSpreadsheet, touchesNothing) {
    Catalogue catalogue;
    ASSERT_EQ(LoadCatalogue(catalogue, ZELK_SOURCE_DIR "/tests/data/link-table.csv").status,
              LoadResult::Status::Loaded);
    StandIn bystander("Untitled - Notepad");
    ASSERT_TRUE(bystander.running());
    const std::vector<std::string> untouched = bystander.grid();
    const std::u16string copied = u"what the user copied";
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (copied.size() + 1) * sizeof(char16_t));
    std::copy_n(copied.c_str(), copied.size() + 1, static_cast<char16_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    const HWND foreground = GetForegroundWindow();

    MessageView view;
    const std::unique_ptr<TransferSink> sink = createPlatformTransferSink();
    SpreadsheetLink link(*sink, view);
    link.TransferEnabled = true;
    link.mnuT_Click();
    link.TransferToSpreadsheet(catalogue, 1, 2);
    pumpUntil([] { return false; }, 500);
    EXPECT_EQ(clipboardText(), copied);
    EXPECT_EQ(GetForegroundWindow(), foreground);
    EXPECT_EQ(bystander.grid(), untouched);
    EXPECT_TRUE(view.messages.empty());
}

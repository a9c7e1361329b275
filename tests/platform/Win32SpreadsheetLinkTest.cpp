// The spreadsheet link on Windows end to end: zelk.exe beside the stand-in spreadsheet, members
// chosen in zelk with real key presses after a click on its window; the stand-in's grid is compared
// cell by cell.
#include "catalogue/LoadCatalogue.h"
#include "lookup/MemberTexts.h"
#include "standin-win32/LinkHarness.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

constexpr int kTransferTimeoutMs = 20000;

struct Step {
    std::string keys;
    std::int16_t g = 0, m = 0; // the member the keys choose; 0 for a menu command
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
    std::ifstream in(ZELK_SOURCE_DIR "/tests/data/win32-link-cases.txt");
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
                Step{f.at(5), std::int16_t(std::stoi(f[1])), std::int16_t(std::stoi(f[2])), f[3], f[4]});
        else if (f[0] == "grid" && f.size() >= 3)
            cases.back().grid.push_back(f[1] + '=' + f[2]);
    }
    return cases;
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

std::string catalogueFile(const std::string& name) {
    return ZELK_SOURCE_DIR "/tests/data/" + name;
}

std::u16string clipboardText() {
    std::u16string text;
    if (OpenClipboard(nullptr)) {
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            text = static_cast<const char16_t*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    return text;
}

} // namespace

TEST_P(Win32SpreadsheetLink, membersArrive) {
    const LinkCase& c = GetParam();
    Catalogue catalogue;
    ASSERT_EQ(LoadCatalogue(catalogue, catalogueFile(c.catalogue)).status, LoadResult::Status::Loaded);
    StandIn standIn(c.window);
    ASSERT_TRUE(standIn.running());
    Zelk zelk(catalogueFile(c.catalogue), c.search);
    ASSERT_TRUE(zelk.window());
    for (const Step& step : c.steps) {
        // The last transfer left the stand-in in front; the user clicks zelk's window again.
        ASSERT_TRUE(zelk.activate()) << step.keys;
        zelk.type(step.keys, step.m);
        if (step.g == 0)
            continue;
        const std::u16string label = ValueLabelText(catalogue, step.g, step.m);
        EXPECT_TRUE(pumpUntil([&] { return zelk.valueLabel() == std::wstring(label.begin(), label.end()); },
                              kTransferTimeoutMs))
            << step.keys;
        // The keys sent without wait at the end may still be on their way.
        const std::vector<std::string> arrived{"cursor=" + step.cursor, "pastes=" + step.pastes};
        EXPECT_TRUE(pumpUntil(
            [&] {
                const std::vector<std::string> now = standIn.grid();
                return std::includes(now.begin(), now.end(), arrived.begin(), arrived.end());
            },
            kTransferTimeoutMs))
            << step.keys << ", foreground: " << foregroundTitle();
    }
    std::vector<std::string> expected = c.grid;
    std::sort(expected.begin(), expected.end());
    pumpUntil([&] { return standIn.grid() == expected; }, kTransferTimeoutMs);
    EXPECT_EQ(standIn.grid(), expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, Win32SpreadsheetLink, testing::ValuesIn(readCases()),
                         [](const testing::TestParamInfo<LinkCase>& param) {
                             std::string name = param.param.name;
                             std::replace_if(
                                 name.begin(), name.end(), [](char c) { return !isalnum(c); }, '_');
                             return name;
                         });

// With no window of the searched title, a choice changes only the value label: zelk stays in
// front, the clipboard keeps what the user copied, no other window is typed into.
TEST(Win32SpreadsheetLinkNoSpreadsheet, onlyTheLabelChanges) {
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

    Zelk zelk(catalogueFile("link-table.csv"), "");
    ASSERT_TRUE(zelk.activate());
    zelk.type("Tab Down");
    EXPECT_TRUE(pumpUntil([&] { return zelk.valueLabel() == L"9.3kg/m 41.94m2/t"; }, kTransferTimeoutMs));
    pumpUntil([] { return false; }, 500);
    EXPECT_EQ(GetForegroundWindow(), zelk.window());
    EXPECT_EQ(clipboardText(), copied);
    EXPECT_EQ(bystander.grid(), untouched);
}

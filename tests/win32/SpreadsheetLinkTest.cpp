// The spreadsheet link on Windows end to end: zelk.exe beside the stand-in spreadsheet, members
// chosen in zelk with real key presses and clicks after a click on its window; the stand-in's grid
// is compared cell by cell.
#include "catalogue/LoadCatalogue.h"
#include "link/MemberTexts.h"
#include "support/TestFiles.h"
#include "win32/ProgramHarness.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

// One case of tests/data/win32-link-cases.txt.
struct LinkCase {
    std::string name;
    std::map<std::string, std::string> settings; // catalogue, window, search
    std::vector<std::vector<std::string>> steps; // "choose" G M CURSOR PASTES KEYS, or "command" KEYS
    std::vector<std::string> grid;               // "A1=text", "cursor=A4", ...
};

std::vector<LinkCase> readCases() {
    std::vector<LinkCase> cases;
    for (std::vector<std::string>& f : readTable("tests/data/win32-link-cases.txt")) {
        if (f[0] == "case")
            cases.push_back(LinkCase{f.at(1), {}, {}, {}});
        else if (f[0] == "grid")
            cases.back().grid.push_back(f.at(1) + '=' + f.at(2));
        else if (f[0] == "choose" || f[0] == "command")
            cases.back().steps.push_back(f);
        else
            cases.back().settings[f[0]] = f.at(1);
    }
    return cases;
}

void PrintTo(const LinkCase& linkCase, std::ostream* out) {
    *out << linkCase.name;
}

class Win32SpreadsheetLink : public testing::TestWithParam<LinkCase> {};

} // namespace

TEST_P(Win32SpreadsheetLink, membersArrive) {
    const LinkCase& c = GetParam();
    const std::string file = sourceFile("tests/data/" + c.settings.at("catalogue"));
    Catalogue catalogue;
    ASSERT_EQ(LoadCatalogue(catalogue, file).status, LoadResult::Status::Loaded);
    StandIn standIn(c.settings.at("window"));
    ASSERT_TRUE(standIn.window());
    Zelk zelk(file, c.settings.count("search") ? c.settings.at("search") : "");
    ASSERT_TRUE(zelk.window());
    for (const std::vector<std::string>& step : c.steps) {
        // The last transfer left the stand-in in front; the user clicks zelk's window again.
        ASSERT_TRUE(zelk.activate()) << step.back();
        const bool choice = step[0] == "choose";
        zelk.type(step.back(), choice ? std::stoi(step[2]) : 0);
        if (!choice)
            continue;
        const std::u16string label =
            valueLabelText(catalogue, std::int16_t(std::stoi(step[1])), std::int16_t(std::stoi(step[2])));
        EXPECT_TRUE(pumpUntil([&] { return zelk.valueLabel() == std::wstring(label.begin(), label.end()); }))
            << step.back();
        // The keys sent without wait at the end may still be on their way.
        const std::vector<std::string> arrived{"cursor=" + step[3], "pastes=" + step[4]};
        EXPECT_TRUE(pumpUntil([&] {
            const std::vector<std::string> now = standIn.grid();
            return std::includes(now.begin(), now.end(), arrived.begin(), arrived.end());
        })) << step.back();
    }
    std::vector<std::string> expected = c.grid;
    std::sort(expected.begin(), expected.end());
    pumpUntil([&] { return standIn.grid() == expected; });
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
// front, nothing is put on the clipboard, no other window is typed into.
TEST(Win32SpreadsheetLinkNoSpreadsheet, onlyTheLabelChanges) {
    StandIn bystander("Untitled - Notepad");
    ASSERT_TRUE(bystander.window());
    const std::vector<std::string> untouched = bystander.grid();
    Zelk zelk(sourceFile("tests/data/link-table.csv"));
    ASSERT_TRUE(zelk.activate());
    const DWORD clipboard = GetClipboardSequenceNumber();
    zelk.type("Tab Down");
    EXPECT_TRUE(pumpUntil([&] { return zelk.valueLabel() == L"9.3kg/m 41.94m2/t"; }));
    pumpUntil([] { return false; }, 500);
    EXPECT_EQ(GetForegroundWindow(), zelk.window());
    EXPECT_EQ(GetClipboardSequenceNumber(), clipboard);
    EXPECT_EQ(bystander.grid(), untouched);
}

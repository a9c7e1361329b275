// The spreadsheet link on Windows end to end: zelk.exe beside the stand-in spreadsheet, members
// chosen in zelk with real key presses and clicks after a click on its window; the stand-in's grid
// is compared cell by cell, and the messages of the transfers that stop are read.
#include "catalogue/LoadCatalogue.h"
#include "link/MemberTexts.h"
#include "support/TestFiles.h"
#include "win32/ProgramHarness.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <set>

namespace {

// One case of tests/data/win32-link-cases.txt.
struct LinkCase {
    std::string name;
    std::map<std::string, std::string> settings; // catalogue, window, search, mode, helper, bystander
    std::vector<std::vector<std::string>> steps; // choose, command, minimize, paints, message...
    std::vector<std::string> grid;               // "A1=text", "cursor=A4", ...
    std::vector<std::string> seen;               // the helper's report lines
};

std::vector<LinkCase> readCases() {
    static const std::set<std::string> kSettings{"catalogue", "window", "search",
                                                 "mode",      "helper", "bystander"};
    std::vector<LinkCase> cases;
    for (std::vector<std::string>& f : readTable("tests/data/win32-link-cases.txt")) {
        if (f[0] == "case")
            cases.push_back(LinkCase{f.at(1), {}, {}, {}, {}});
        else if (f[0] == "grid")
            cases.back().grid.push_back(f.at(1) + '=' + f.at(2));
        else if (f[0] == "seen")
            cases.back().seen.push_back(f.at(1));
        else if (kSettings.count(f[0]))
            cases.back().settings[f[0]] = f.at(1);
        else
            cases.back().steps.push_back(f);
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
    const auto setting = [&](const std::string& name) {
        return c.settings.count(name) ? c.settings.at(name) : std::string();
    };
    const std::string file = sourceFile("tests/data/" + setting("catalogue"));
    Catalogue catalogue;
    ASSERT_EQ(LoadCatalogue(catalogue, file).status, LoadResult::Status::Loaded);
    // A window that was active before the spreadsheet: no key may reach it.
    std::optional<StandIn> bystander;
    if (!setting("bystander").empty())
        bystander.emplace(setting("bystander"));
    const std::vector<std::string> untouched = bystander ? bystander->grid() : std::vector<std::string>();
    StandIn standIn(setting("window"), setting("mode"));
    ASSERT_TRUE(standIn.window());
    std::optional<StandIn> helper;
    if (!setting("helper").empty())
        helper.emplace("", setting("helper"),
                       setting("helper") == "hold" ? standIn.report() : StandIn::newReport());
    Zelk zelk(file, setting("search"));
    ASSERT_TRUE(zelk.window());
    const std::wstring caption = windowText(zelk.window());
    std::wstring label;
    for (const std::vector<std::string>& step : c.steps) {
        if (step[0] == "minimize") {
            ShowWindow(standIn.window(), SW_MINIMIZE);
            EXPECT_TRUE(pumpUntil([&] { return IsIconic(standIn.window()) != FALSE; }));
        } else if (step[0] == "resume") {
            standIn.resume();
        } else if (step[0] == "released") {
            EXPECT_EQ(helper->exitStatus(), 0);
        } else if (step[0] == "paints") {
            // While the transfer waits, zelk paints: its window, made invalid, is painted again
            // before the message of the stopped transfer shows.
            RedrawWindow(zelk.window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
            bool boxFirst = false;
            EXPECT_TRUE(pumpUntil([&] {
                boxFirst = FindWindowW(L"#32770", caption.c_str()) != nullptr;
                return !GetUpdateRect(zelk.window(), nullptr, FALSE) || boxFirst;
            }));
            EXPECT_FALSE(boxFirst);
        } else if (step[0] == "message") {
            const HWND box = zelk.find(L"#32770", caption.c_str());
            ASSERT_TRUE(box) << step[1];
            const std::wstring text = windowText(GetDlgItem(box, 0xFFFF));
            const std::u16string shown(text.begin(), text.end());
            EXPECT_NE(shown.find(fromUtf8(step[1])), std::u16string::npos) << u8(shown);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            EXPECT_TRUE(pumpUntil([&] { return !IsWindow(box); }));
        } else {
            // The last transfer left the stand-in in front; the user clicks zelk's window again.
            ASSERT_TRUE(zelk.activate()) << step.back();
            const bool choice = step[0] == "choose";
            zelk.type(step.back(), choice ? std::stoi(step[2]) : 0);
            if (!choice)
                continue;
            const std::u16string member =
                valueLabelText(catalogue, std::int16_t(std::stoi(step[1])), std::int16_t(std::stoi(step[2])));
            label.assign(member.begin(), member.end());
            EXPECT_TRUE(pumpUntil([&] { return zelk.valueLabel() == label; })) << step.back();
            // The keys sent without wait at the end may still be on their way.
            const std::vector<std::string> arrived{"cursor=" + step[3], "pastes=" + step[4]};
            EXPECT_TRUE(pumpUntil([&] {
                const std::vector<std::string> now = standIn.grid();
                return std::includes(now.begin(), now.end(), arrived.begin(), arrived.end());
            })) << step.back();
        }
    }
    std::vector<std::string> expected = c.grid;
    std::sort(expected.begin(), expected.end());
    pumpUntil([&] { return standIn.grid() == expected; });
    EXPECT_EQ(standIn.grid(), expected);
    // No key went anywhere else: not into another window, not into zelk (its label would change).
    if (bystander) {
        EXPECT_EQ(bystander->grid(), untouched);
    }
    EXPECT_EQ(zelk.valueLabel(), label);
    for (const std::string& line : c.seen) {
        const std::vector<std::string> report = helper->grid();
        EXPECT_TRUE(std::binary_search(report.begin(), report.end(), line)) << line;
    }
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

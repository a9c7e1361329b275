// The spreadsheet link on Windows end to end: zelk.exe beside the stand-in spreadsheet, members
// chosen in zelk with real key presses and clicks after a click on its window; the stand-in's grid
// is compared cell by cell, and the messages of the transfers that stop are read.
#include "catalogue/LoadCatalogue.h"
#include "support/LinkCases.h"
#include "win32/ProgramHarness.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>

using Win32SpreadsheetLink = testing::TestWithParam<LinkCase>;

TEST_P(Win32SpreadsheetLink, membersArrive) {
    const LinkCase& c = GetParam();
    const std::string file = sourceFile("tests/data/" + c.setting("catalogue"));
    Catalogue catalogue;
    ASSERT_EQ(LoadCatalogue(catalogue, file).status, LoadResult::Status::Loaded);
    // A window that was active before the spreadsheet: no key may reach it.
    std::optional<StandIn> bystander;
    if (!c.setting("bystander").empty())
        bystander.emplace(c.setting("bystander"));
    const auto untouched = bystander ? bystander->grid() : std::map<std::string, std::string>();
    StandIn standIn(c.setting("window"), c.setting("mode"));
    ASSERT_TRUE(standIn.window());
    std::optional<StandIn> helper;
    if (!c.setting("helper").empty())
        helper.emplace("", c.setting("helper"),
                       c.setting("helper") == "hold" ? standIn.report() : StandIn::newReport());
    Zelk zelk(file, c.setting("search"));
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
        } else if (step[0] == "seen") {
            EXPECT_EQ(helper->grid()[step[1]], step[2]) << step[1];
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
            zelk.type(step.back(), choice && step[1] != "computed" ? std::stoi(step[2]) : 0);
            if (!choice)
                continue;
            const std::u16string member = chosenLabel(catalogue, step);
            label.assign(member.begin(), member.end());
            EXPECT_TRUE(pumpUntil([&] { return zelk.valueLabel() == label; })) << step.back();
            // The keys sent without wait at the end may still be on their way.
            EXPECT_TRUE(pumpUntil([&] {
                std::map<std::string, std::string> now = standIn.grid();
                return now["cursor"] == step[3] && now["pastes"] == step[4];
            })) << step.back();
        }
    }
    pumpUntil([&] { return standIn.grid() == c.grid; });
    EXPECT_EQ(standIn.grid(), c.grid);
    // No key went anywhere else: not into another window, not into zelk (its label would change).
    if (bystander) {
        EXPECT_EQ(bystander->grid(), untouched);
    }
    EXPECT_EQ(zelk.valueLabel(), label);
}

INSTANTIATE_TEST_SUITE_P(Cases, Win32SpreadsheetLink,
                         testing::ValuesIn(readLinkCases("tests/win32/link-cases.tsv",
                                                         {"choose", "command", "minimize", "paints",
                                                          "message", "resume", "released", "seen"})),
                         linkCaseTestName);

#include "Desktop.h"

#include "catalogue/LoadCatalogue.h"
#include "support/LinkCases.h"

#include <gtest/gtest.h>

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

using SpreadsheetLink = testing::TestWithParam<LinkCase>;

} // namespace

// zelk beside the spreadsheet (the stand-in in one of its modes, or LibreOffice Calc), with a
// clipboard manager where the case asks for one: each member arrives in the sheet's cells and the
// value label shows it; a transfer that cannot go on shows its message, in a box titled as the
// lookup window, and sends nothing more, and zelk keeps painting while it waits.
TEST_P(SpreadsheetLink, membersArriveCellByCell) {
    desktopApplication();
    const LinkCase& c = GetParam();
    const std::string file = ZELK_SOURCE_DIR "/tests/data/" + c.setting("catalogue");
    Catalogue catalogue;
    ASSERT_EQ(LoadCatalogue(catalogue, file).status, LoadResult::Status::Loaded);
    ClipboardManager manager;
    if (!c.setting("manager").empty()) {
        ASSERT_TRUE(manager.start()) << manager.error.toStdString();
    }
    // A window of the same title, active before the spreadsheet: no key may reach it.
    StandInProcess bystander;
    if (!c.setting("bystander").empty()) {
        ASSERT_TRUE(bystander.start(qt(c.setting("bystander")))) << bystander.error.toStdString();
    }
    const auto untouched = bystander.grid();
    const bool inCalc = c.setting("spreadsheet") == "calc";
    StandInProcess standIn;
    CalcProcess calc;
    if (inCalc) {
        ASSERT_TRUE(calc.start()) << calc.error.toStdString();
    } else {
        ASSERT_TRUE(standIn.start(qt(c.setting("window")), qt(c.setting("standin"))))
            << standIn.error.toStdString();
    }
    ZelkProcess zelk;
    ASSERT_TRUE(zelk.start({qt(file)}, qt(c.setting("search")))) << zelk.error.toStdString();

    std::vector<std::u16string> labels;
    std::size_t messages = 0;
    for (const std::vector<std::string>& step : c.steps) {
        // command KEYS, or choose G M CURSOR PASTES KEYS [PART OF THE MESSAGE...]
        const std::string& keys = step.at(step[0] == "command" ? 1 : 5);
        SCOPED_TRACE(keys);
        // The last transfer left the spreadsheet active; the user clicks zelk's window again.
        ASSERT_TRUE(zelk.activate() && zelk.type(qt(keys).split(u' '))) << zelk.error.toStdString();
        if (step[0] == "command")
            continue;
        if (step.size() > 6) {
            EXPECT_TRUE(zelk.repaintsWhile([&] { return zelk.messages().size() == messages; }));
            ASSERT_TRUE(waitUntil([&] { return zelk.messages().size() > messages; }));
            const std::string shown = zelk.messages()[messages++];
            for (std::size_t part = 6; part < step.size(); ++part)
                EXPECT_NE(shown.find(step[part]), std::string::npos) << shown;
            EXPECT_EQ(zelk.closeDialog(), x11().title(zelk.window()));
        }
        labels.push_back(chosenLabel(catalogue, step));
        ASSERT_TRUE(waitUntil([&] { return zelk.choices().size() >= labels.size(); }));
        EXPECT_EQ(zelk.choices(), labels);
        // The keys sent without wait at the end may still be on their way: the next click on zelk
        // must not take the focus from the spreadsheet before they have arrived. Calc cannot be
        // asked without taking the focus: they get the time they take (12 ms a key) many times over.
        if (inCalc) {
            waitUntil([] { return false; }, 1000);
        } else {
            ASSERT_TRUE(waitUntil([&] {
                auto grid = standIn.grid();
                return grid["cursor"] == step[3] && grid["pastes"] == step[4];
            })) << testing::PrintToString(standIn.grid());
        }
    }
    // The manager took in what zelk put on the clipboard, and the sheet is right all the same.
    if (!c.setting("manager").empty()) {
        EXPECT_EQ(manager.newest().toStdString(), c.setting("manager", 1));
    }
    if (inCalc) {
        EXPECT_EQ(calc.cells(), c.grid);
    } else {
        waitUntil([&] { return standIn.grid() == c.grid; }, 3000);
        EXPECT_EQ(standIn.grid(), c.grid);
    }
    EXPECT_EQ(zelk.messages().size(), messages);
    EXPECT_EQ(bystander.grid(), untouched);
}

INSTANTIATE_TEST_SUITE_P(Cases, SpreadsheetLink,
                         testing::ValuesIn(readLinkCases("tests/x11/link-cases.tsv", {"choose", "command"})),
                         linkCaseTestName);

#include "Desktop.h"

#include "catalogue/LoadCatalogue.h"
#include "link/MemberTexts.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QClipboard>

#include <gtest/gtest.h>

namespace {

// One case of tests/x11/link-cases.tsv: its settings, its steps (the rows "choose" and "command")
// and the grid the spreadsheet shows at the end.
struct LinkCase {
    std::map<std::string, std::vector<std::string>> settings;
    std::vector<std::vector<std::string>> steps;
    std::map<std::string, std::string> grid;

    std::string setting(const std::string& name, std::size_t field = 0) const {
        const auto found = settings.find(name);
        return found != settings.end() && field < found->second.size() ? found->second[field] : std::string();
    }
};

void PrintTo(const LinkCase& c, std::ostream* out) {
    *out << c.setting("case");
}

std::vector<LinkCase> loadCases() {
    std::vector<LinkCase> cases;
    for (std::vector<std::string>& row : readTable("tests/x11/link-cases.tsv")) {
        const std::string kind = row.front();
        if (kind == "case")
            cases.emplace_back();
        if (kind == "choose" || kind == "command")
            cases.back().steps.push_back(row);
        else if (kind == "grid")
            cases.back().grid[row.at(1)] = row.at(2);
        else
            cases.back().settings[kind] = std::vector(row.begin() + 1, row.end());
    }
    return cases;
}

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

Catalogue loadedCatalogue(const std::string& name) {
    Catalogue catalogue;
    EXPECT_EQ(LoadCatalogue(catalogue, ZELK_SOURCE_DIR "/tests/data/" + name).status,
              LoadResult::Status::Loaded);
    return catalogue;
}

using SpreadsheetLink = testing::TestWithParam<LinkCase>;

} // namespace

// zelk beside the spreadsheet (the stand-in in one of its modes, or LibreOffice Calc), with a
// clipboard manager or a Japanese keyboard where the case asks for one: each member arrives in the
// sheet's cells and the value label shows it; a transfer that cannot go on shows its message, in a
// box titled as the lookup window, and sends nothing more, and zelk keeps painting while it waits.
TEST_P(SpreadsheetLink, membersArriveCellByCell) {
    desktopApplication();
    const LinkCase& c = GetParam();
    const Catalogue catalogue = loadedCatalogue(c.setting("catalogue"));
    KeyboardLayout layout;
    if (!c.setting("keymap").empty()) {
        ASSERT_TRUE(layout.set(qt(c.setting("keymap")), qt(c.setting("keymap", 1))))
            << layout.error.toStdString();
        // Only a keymap really in force makes the case mean anything.
        ASSERT_TRUE(KeyboardLayout::dump().simplified().contains(qt(c.setting("keymap", 2))));
    }
    ClipboardManager manager;
    if (!c.setting("manager").empty()) {
        ASSERT_TRUE(manager.start()) << manager.error.toStdString();
    }
    const bool inCalc = c.setting("spreadsheet") == "calc";
    const bool stops = c.setting("standin") == "stop-after-paste";
    StandInProcess standIn;
    CalcProcess calc;
    if (inCalc) {
        ASSERT_TRUE(calc.start()) << calc.error.toStdString();
    } else {
        ASSERT_TRUE(standIn.start(qt(c.setting("window")), 40, qt(c.setting("standin"))))
            << standIn.error.toStdString();
    }
    ZelkProcess zelk;
    ASSERT_TRUE(
        zelk.start({ZELK_SOURCE_DIR "/tests/data/" + qt(c.setting("catalogue"))}, qt(c.setting("search"))))
        << zelk.error.toStdString();

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
            if (stops) {
                ASSERT_TRUE(waitUntil([&] { return standIn.isStopped(); }));
            }
            EXPECT_TRUE(zelk.repaintsWhile([&] { return zelk.messages().size() == messages; }));
            ASSERT_TRUE(waitUntil([&] { return zelk.messages().size() > messages; }));
            const std::string shown = zelk.messages()[messages++];
            for (std::size_t part = 6; part < step.size(); ++part)
                EXPECT_NE(shown.find(step[part]), std::string::npos) << shown;
            EXPECT_EQ(zelk.closeDialog(), zelk.title());
            if (stops)
                standIn.resume();
        }
        labels.push_back(
            valueLabelText(catalogue, std::int16_t(std::stoi(step[1])), std::int16_t(std::stoi(step[2]))));
        ASSERT_TRUE(zelk.waitForChoices(labels.size()));
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
        EXPECT_EQ(calc.cells(QStringLiteral("A1:I4")), c.grid);
    } else {
        waitUntil([&] { return standIn.grid() == c.grid; }, 3000);
        EXPECT_EQ(standIn.grid(), c.grid);
    }
    EXPECT_EQ(zelk.messages().size(), messages);
}

INSTANTIATE_TEST_SUITE_P(Cases, SpreadsheetLink, testing::ValuesIn(loadCases()),
                         [](const testing::TestParamInfo<LinkCase>& test) {
                             std::string name = test.param.setting("case");
                             std::erase_if(
                                 name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
                             return name;
                         });

// With no window of the searched title, a choice shows the member in the label and nothing else:
// the clipboard keeps what the user copied, no other window is activated or typed into.
TEST(SpreadsheetLinkWithoutSpreadsheet, onlyTheLabelChanges) {
    desktopApplication();
    const Catalogue catalogue = loadedCatalogue("link-table.csv");
    StandInProcess bystander;
    ASSERT_TRUE(bystander.start(QStringLiteral("Untitled - Notepad"))) << bystander.error.toStdString();
    const auto untouched = bystander.grid();
    QGuiApplication::clipboard()->setText(QStringLiteral("what the user copied"));

    ZelkProcess zelk;
    ASSERT_TRUE(zelk.start({ZELK_SOURCE_DIR "/tests/data/link-table.csv"})) << zelk.error.toStdString();
    // Down past the end of the list chooses nothing.
    ASSERT_TRUE(zelk.type({"Tab", "Down", "Down", "Up"})) << zelk.error.toStdString();
    ASSERT_TRUE(zelk.waitForChoices(2));
    EXPECT_EQ(zelk.choices(),
              (std::vector{valueLabelText(catalogue, 1, 2), valueLabelText(catalogue, 1, 1)}));
    EXPECT_TRUE(zelk.isActive());
    EXPECT_TRUE(QGuiApplication::clipboard()->ownsClipboard());
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "what the user copied");
    EXPECT_EQ(bystander.grid(), untouched);
}

#include "Desktop.h"

#include "catalogue/LoadCatalogue.h"
#include "link/MemberTexts.h"

#include <QApplication>
#include <QClipboard>

#include <gtest/gtest.h>

#include <fstream>

namespace {

// One case of tests/data/x11-link-cases.txt.
struct LinkCase {
    std::map<QString, QString> settings; // "case" (its name), "catalogue", "window", "search"
    std::vector<QStringList> steps;      // the fields of its "choose" and "command" lines
    std::map<std::string, std::string> grid;
};

void PrintTo(const LinkCase& c, std::ostream* out) {
    *out << c.settings.at("case").toStdString();
}

std::vector<LinkCase> loadCases() {
    std::vector<LinkCase> cases;
    std::ifstream file(ZELK_SOURCE_DIR "/tests/data/x11-link-cases.txt");
    for (std::string line; std::getline(file, line);) {
        const QStringList f = QString::fromStdString(line).split(u'\t');
        if (f[0] == u"case")
            cases.emplace_back();
        if (f[0] == u"choose" || f[0] == u"command")
            cases.back().steps.push_back(f);
        else if (f[0] == u"grid")
            cases.back().grid[f[1].toStdString()] = f[2].toStdString();
        else if (f.size() == 2)
            cases.back().settings[f[0]] = f[1];
    }
    return cases;
}

Catalogue loadedCatalogue(const std::string& name) {
    Catalogue catalogue;
    EXPECT_EQ(LoadCatalogue(catalogue, ZELK_SOURCE_DIR "/tests/data/" + name).status,
              LoadResult::Status::Loaded);
    return catalogue;
}

using SpreadsheetLink = testing::TestWithParam<LinkCase>;

} // namespace

// zelk and the stand-in spreadsheet as two programs on the X server: each member arrives in the
// stand-in's cells, and the value label shows it.
TEST_P(SpreadsheetLink, membersArriveCellByCell) {
    desktopApplication();
    const LinkCase& c = GetParam();
    const auto setting = [&](const char* name) {
        return c.settings.contains(name) ? c.settings.at(name) : QString();
    };
    const Catalogue catalogue = loadedCatalogue(setting("catalogue").toStdString());
    StandInProcess standIn;
    ASSERT_TRUE(standIn.start(setting("window"))) << standIn.error.toStdString();
    ZelkProcess zelk;
    ASSERT_TRUE(zelk.start({ZELK_SOURCE_DIR "/tests/data/" + setting("catalogue")}, setting("search")))
        << zelk.error.toStdString();
    std::vector<std::u16string> labels;
    for (const QStringList& step : c.steps) {
        const std::string keys = step.back().toStdString();
        // The last transfer left the stand-in active; the user clicks zelk's window again.
        ASSERT_TRUE(zelk.activate() && zelk.type(step.back().split(u' '))) << zelk.error.toStdString();
        if (step[0] == u"command")
            continue;
        labels.push_back(valueLabelText(catalogue, step[1].toShort(), step[2].toShort()));
        ASSERT_TRUE(zelk.waitForChoices(labels.size())) << keys;
        EXPECT_EQ(zelk.choices(), labels);
        // The keys sent without wait at the end may still be on their way: the next click on zelk
        // must not take the focus from the stand-in before they have arrived.
        ASSERT_TRUE(waitUntil([&] {
            auto grid = standIn.grid();
            return grid["cursor"] == step[3].toStdString() && grid["pastes"] == step[4].toStdString();
        })) << keys
            << ": " << testing::PrintToString(standIn.grid());
    }
    waitUntil([&] { return standIn.grid() == c.grid; }, 3000);
    EXPECT_EQ(standIn.grid(), c.grid);
}

INSTANTIATE_TEST_SUITE_P(Cases, SpreadsheetLink, testing::ValuesIn(loadCases()),
                         [](const testing::TestParamInfo<LinkCase>& test) {
                             std::string name = test.param.settings.at("case").toStdString();
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

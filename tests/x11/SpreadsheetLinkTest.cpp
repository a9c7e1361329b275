#include "Desktop.h"

#include "catalogue/LoadCatalogue.h"
#include "lookup/MemberTexts.h"

#include <QApplication>
#include <QClipboard>

#include <gtest/gtest.h>

#include <fstream>

namespace {

struct Step {
    QStringList keys;
    std::int16_t g = 0, m = 0; // 0: the keys choose no member
    std::string cursor, pastes;
};

struct LinkCase {
    std::string name, catalogue, window, search;
    std::vector<Step> steps;
    std::map<std::string, std::string> grid;
};

void PrintTo(const LinkCase& c, std::ostream* out) {
    *out << c.name;
}

std::vector<std::string> fields(const std::string& line, char separator) {
    std::vector<std::string> parts(1);
    for (const char c : line) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back().push_back(c);
    }
    return parts;
}

QStringList keys(const std::string& text) {
    return QString::fromStdString(text).split(u' ');
}

std::vector<LinkCase> loadCases() {
    std::vector<LinkCase> cases;
    std::ifstream file(ZELK_SOURCE_DIR "/tests/data/x11-link-cases.txt");
    for (std::string line; std::getline(file, line);) {
        const std::vector<std::string> f = fields(line, '\t');
        if (f[0] == "case")
            cases.emplace_back().name = f.at(1);
        else if (f[0] == "catalogue")
            cases.back().catalogue = f.at(1);
        else if (f[0] == "window")
            cases.back().window = f.at(1);
        else if (f[0] == "search")
            cases.back().search = f.at(1);
        else if (f[0] == "command")
            cases.back().steps.emplace_back().keys = keys(f.at(1));
        else if (f[0] == "grid")
            cases.back().grid[f.at(1)] = f.at(2);
        else if (f[0] == "choose") {
            const std::vector<std::string> member = fields(f.at(1), ' '), arrival = fields(f.at(2), ' ');
            cases.back().steps.push_back({keys(f.at(3)), std::int16_t(std::stoi(member.at(0))),
                                          std::int16_t(std::stoi(member.at(1))), arrival.at(0),
                                          arrival.at(1)});
        }
    }
    return cases;
}

Catalogue loadedCatalogue(const std::string& name) {
    Catalogue catalogue;
    EXPECT_EQ(LoadCatalogue(catalogue, ZELK_SOURCE_DIR "/tests/data/" + name).status,
              LoadResult::Status::Loaded);
    return catalogue;
}

class SpreadsheetLink : public testing::TestWithParam<LinkCase> {
protected:
    void SetUp() override { desktopApplication(); }
};

} // namespace

// zelk and the stand-in spreadsheet as two programs on the X server: each member arrives in the
// stand-in's cells, and the value label shows it.
TEST_P(SpreadsheetLink, membersArriveCellByCell) {
    const LinkCase& c = GetParam();
    const Catalogue catalogue = loadedCatalogue(c.catalogue);
    StandInProcess standIn;
    ASSERT_TRUE(standIn.start(QString::fromStdString(c.window))) << standIn.error.toStdString();
    ZelkProcess zelk;
    ASSERT_TRUE(zelk.start({ZELK_SOURCE_DIR "/tests/data/" + QString::fromStdString(c.catalogue)},
                           QString::fromStdString(c.search)))
        << zelk.error.toStdString();
    std::vector<std::u16string> labels;
    for (const Step& step : c.steps) {
        const std::string keys = step.keys.join(u' ').toStdString();
        // The last transfer left the stand-in active; the user clicks zelk's window again.
        ASSERT_TRUE(zelk.activate() && zelk.type(step.keys)) << zelk.error.toStdString();
        if (step.g == 0)
            continue;
        labels.push_back(ValueLabelText(catalogue, step.g, step.m));
        ASSERT_TRUE(zelk.waitForChoices(labels.size())) << keys;
        EXPECT_EQ(zelk.choices(), labels);
        // The keys sent without wait at the end may still be on their way: the next click on zelk
        // must not take the focus from the stand-in before they have arrived.
        ASSERT_TRUE(waitUntil([&] {
            auto grid = standIn.grid();
            return grid["cursor"] == step.cursor && grid["pastes"] == step.pastes;
        })) << keys
            << ": cursor " << standIn.grid()["cursor"] << ", pastes " << standIn.grid()["pastes"];
    }
    waitUntil([&] { return standIn.grid() == c.grid; }, 3000);
    EXPECT_EQ(standIn.grid(), c.grid);
}

INSTANTIATE_TEST_SUITE_P(Cases, SpreadsheetLink, testing::ValuesIn(loadCases()),
                         [](const testing::TestParamInfo<LinkCase>& test) {
                             std::string name = test.param.name;
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
              (std::vector{ValueLabelText(catalogue, 1, 2), ValueLabelText(catalogue, 1, 1)}));
    EXPECT_TRUE(zelk.isActive());
    EXPECT_TRUE(QGuiApplication::clipboard()->ownsClipboard());
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "what the user copied");
    EXPECT_EQ(bystander.grid(), untouched);
}

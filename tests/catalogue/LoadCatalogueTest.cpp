// The loader on the case files in cases/: each NAME.csv loads to the tables that NAME.expected
// lists, and the tables keep their shape whatever the file holds; the header lines one by one.
#include "catalogue/LoadCatalogue.h"
#include "base/CodePage932.h"
#include "base/Files.h"
#include "support/CatalogueShape.h"
#include "support/TestFiles.h"

const std::string kCases = "tests/catalogue/cases/";

// The catalogue as text: the status, the problems and everything that was read.
static std::string dump(const Catalogue& c, const LoadResult& r) {
    const auto row = [](std::initializer_list<std::string> cells) {
        std::string text;
        for (const std::string& cell : cells)
            text += (text.empty() ? "" : " | ") + cell;
        return text + "\n";
    };
    const char* statuses[] = {"Loaded", "Missing", "Unreadable", "TagMismatch"};
    std::string text = std::string("status ") + statuses[int(r.status)] + "\n";
    if (!r.message.empty())
        text += "message " + u8(r.message) + "\n";
    for (const LoadProblem& problem : r.problems)
        text += "problem " + u8(problemLineText(problem)) + "\n";
    text += row({"keys " + u8(c.WeightKeys), u8(c.WeightFormula), u8(c.AreaKeys), u8(c.AreaFormula),
                 u8(c.Kind1Keys), u8(c.Kind2Keys), u8(c.Kind3Keys)});
    text += row({"titles " + u8(c.WeightTitle), u8(c.PaintTitle)});
    text += "unit kinds " + std::to_string(c.UnitKindCount) + ", labelled " +
            std::to_string(r.unitLinesStored) + "\n";
    for (int k = 1; k <= r.unitLinesStored; ++k)
        text += row({"kind " + std::to_string(k) + ": " + u8(c.UnitWeightLabel[k]), u8(c.UnitPaintLabel[k])});
    text += "groups " + std::to_string(c.GroupCount) + "\n";
    for (int g = 1; g <= c.GroupCount; ++g) {
        text += row({"group " + std::to_string(g) + ": " + u8(c.GroupName[g]),
                     "kind " + std::to_string(c.GroupKind[g]), "shape " + std::to_string(c.GroupShape[g]),
                     std::to_string(c.GroupMemberCount[g]) + " members"});
        for (int m = 1; m <= c.GroupMemberCount[g]; ++m)
            text += row({"  " + u8(c.MemberName[g][m]), u8(c.MemberRemark[g][m]),
                         numberText(c.MemberWeight[g][m]), numberText(c.MemberPaintCoef[g][m])});
    }
    return text;
}

class LoadCatalogueCase : public testing::TestWithParam<std::string> {};

// Each case is read over a full catalogue of another header: a load rebuilds the tables from
// nothing, and the header settings keep their values until their line is read.
TEST_P(LoadCatalogueCase, readsTheTablesListed) {
    Catalogue catalogue;
    LoadCatalogue(catalogue, sourcePath(kCases + "capacity-of-another-header.csv"));
    const LoadResult result = LoadCatalogue(catalogue, sourcePath(kCases + GetParam() + ".csv"));
    EXPECT_EQ(dump(catalogue, result), readBytes(sourcePath(kCases + GetParam() + ".expected")));
    EXPECT_EQ(tableShapeFault(catalogue, result), "");
}

INSTANTIATE_TEST_SUITE_P(Cases, LoadCatalogueCase, testing::ValuesIn(caseNames(kCases, ".csv")),
                         caseTestName);

// Each header line of the worked example replaced in turn: the value stored, or the message of
// the wrong tag.
TEST(LoadCatalogue, headerLinesGiveTheirValueOrTheTagMessage) {
    const std::string example = readBytes(sourcePath(kCases + "worked-example.csv"));
    using Setting = std::u16string Catalogue::*;
    const Setting settings[] = {&Catalogue::WeightKeys,  &Catalogue::WeightFormula, &Catalogue::AreaKeys,
                                &Catalogue::AreaFormula, &Catalogue::Kind1Keys,     &Catalogue::Kind2Keys,
                                &Catalogue::Kind3Keys};
    for (const auto& row : readTable("tests/catalogue/header-lines.tsv")) {
        SCOPED_TRACE(row[1]);
        const int line = std::stoi(row[0]);
        std::size_t begin = 0;
        for (int i = 1; i < line; ++i)
            begin = example.find("\r\n", begin) + 2;
        std::string bytes;
        ASSERT_TRUE(CodePage932::encode(fromUtf8(row[1]), bytes));
        Catalogue c;
        MemorySource source(example.substr(0, begin) + bytes + example.substr(example.find("\r\n", begin)));
        const LoadResult r = LoadCatalogue(c, source, u"JISTEELW.CSV");
        EXPECT_EQ(r.status == LoadResult::Status::TagMismatch ? u8(r.message) : u8(c.*settings[line - 1]),
                  row[2]);
    }
}

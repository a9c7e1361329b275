// The bundled catalogue data/JISTEELW.CSV loads within the loader's limits and quotes the standard
// figures. (That it loads without a repair and that its coefficients are the generator's own are
// data_catalogue_check and data_catalogue_reproducible.)
#include "catalogue/LoadCatalogue.h"
#include "support/TestFiles.h"

const fs::path kBundled = sourcePath("data/JISTEELW.CSV");

TEST(BundledCatalogue, loadsWholeWithTheStandardFigures) {
    Catalogue c;
    LoadCatalogue(c, kBundled);
    std::map<std::string, std::string> figures;
    for (int g = 1; g <= c.GroupCount; ++g) {
        // 200 is also what a longer group is cut to: a full group would hide lost members.
        EXPECT_TRUE(c.GroupMemberCount[g] >= 1 && c.GroupMemberCount[g] < 200) << u8(c.GroupName[g]);
        EXPECT_EQ(c.GroupKind[g] == 2, c.GroupShape[g] == 5)
            << u8(c.GroupName[g]); // plates: per square metre
        for (int m = 1; m <= c.GroupMemberCount[g]; ++m)
            figures[u8(c.MemberName[g][m])] += u8(c.GroupName[g]) + " " + numberText(c.MemberWeight[g][m]) +
                                               u8(c.weightLabelOf(c.GroupKind[g])) + " " +
                                               numberText(c.MemberPaintCoef[g][m]) +
                                               u8(c.paintLabelOf(c.GroupKind[g]));
    }
    EXPECT_GE(figures.size(), 400u);
    for (const auto& row : readTable("tests/data/bundled-figures.tsv"))
        EXPECT_EQ(figures[row[0]], row[1]) << row[0];
}

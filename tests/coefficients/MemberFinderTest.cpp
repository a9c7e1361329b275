// The finder over the bundled catalogue: what comes first for queries written as on drawings,
// computed members with their figures, and what is never found (find-queries.tsv).
#include "coefficients/MemberFinder.h"
#include "catalogue/LoadCatalogue.h"
#include "support/TestFiles.h"

TEST(MemberFinder, putsTheIntendedMemberFirst) {
    Catalogue catalogue;
    ASSERT_EQ(LoadCatalogue(catalogue, sourcePath("data/JISTEELW.CSV")).status, LoadResult::Status::Loaded);
    const MemberFinder finder(catalogue);
    for (const auto& row : readTable("tests/coefficients/find-queries.tsv")) {
        const std::vector<FoundMember> found = finder.find(u16(row[0]), 20);
        // As many designations as the row lists, then what the row asks of the first.
        std::string got;
        for (std::size_t i = 0; i < found.size() && (i == 0 || i < split(row[1], '|').size()); ++i)
            got += (i ? " | " : "") + u8(found[i].values.designation);
        const FoundMember first = found.empty() ? FoundMember() : found[0];
        const std::string figures =
            numberText(first.values.weight) + "\t" + numberText(first.values.coefficient);
        got += row.size() > 2 ? "\t" + u8(first.groupName) : "";
        got += row.size() > 3 ? "\t" + figures : "";
        std::string wanted = row[1];
        for (std::size_t i = 2; i < row.size(); ++i)
            wanted += "\t" + row[i];
        EXPECT_EQ(got, wanted) << row[0];
    }
}

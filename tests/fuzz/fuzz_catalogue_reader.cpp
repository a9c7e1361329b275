// Bytes in, catalogue tables out: whatever the bytes, the load ends, stays inside the tables, and
// leaves counts that describe exactly what was stored.
#include "FuzzSupport.h"
#include "base/Files.h"
#include "base/TextLineReader.h"
#include "catalogue/LoadCatalogue.h"

namespace {

void checkTablesMatchCounts(const Catalogue& c) {
    check(c.GroupName.size() == 101 && c.MemberName.size() == 101 && c.UnitWeightLabel.size() == 51);
    check(c.GroupCount >= 0 && c.GroupCount <= Catalogue::kGroupCapacity);
    check(c.UnitKindCount <= Catalogue::kUnitKindCapacity);
    const std::u16string eightSpaces(8, u' ');
    for (int g = 0; g <= Catalogue::kGroupCapacity; ++g) {
        const bool read = g >= 1 && g <= c.GroupCount;
        const int count = c.GroupMemberCount[g];
        check(read ? count >= 0 && count <= Catalogue::kMemberCapacity : count == 0);
        if (!read)
            check(c.GroupName[g].empty() && c.GroupKind[g] == 0 && c.GroupShape[g] == 0);
        check(c.MemberName[g].size() == 201 && c.MemberWeight[g].size() == 201);
        for (int m = count + 1; m <= Catalogue::kMemberCapacity; ++m)
            check(read ? c.MemberName[g][m] == eightSpaces : c.MemberName[g][m].empty());
        for (int m = 1; m <= count; ++m)
            check(!c.MemberName[g][m].starts_with(u' ') && !c.MemberName[g][m].ends_with(u' '));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Catalogue catalogue; // kept across inputs: every load must rebuild it from nothing
    MemorySource source(std::string(reinterpret_cast<const char*>(data), size));
    const LoadResult result = LoadCatalogue(catalogue, source, u"fuzz.csv");
    switch (result.status) {
    case LoadResult::Status::Loaded:
        checkTablesMatchCounts(catalogue);
        check(result.unitLinesStored >= 0 && result.unitLinesStored <= Catalogue::kUnitKindCapacity);
        for (const LoadProblem& problem : result.problems)
            check(problem.line >= 1 && !problemLineText(problem).empty()); // a line that exists
        break;
    case LoadResult::Status::TagMismatch:
        check(result.message.starts_with(u"error in Line("));
        break;
    case LoadResult::Status::Unreadable:
        check(size > TextLineReader::kMaxLineBytes); // memory always reads, unless a line is too long
        break;
    case LoadResult::Status::Missing:
        std::abort();
    }
    return 0;
}

// Bytes in, catalogue tables out: whatever the bytes, the load ends, stays inside the tables, and
// leaves counts that describe exactly what was stored.
#include "FuzzSupport.h"
#include "base/Files.h"
#include "base/TextLineReader.h"
#include "support/CatalogueShape.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Catalogue catalogue; // kept across inputs: every load must rebuild it from nothing
    MemorySource source(std::string(reinterpret_cast<const char*>(data), size));
    const LoadResult result = LoadCatalogue(catalogue, source, u"fuzz.csv");
    check(result.status != LoadResult::Status::Missing);
    // Memory always reads, unless a line is too long.
    check(result.status != LoadResult::Status::Unreadable || size > TextLineReader::kMaxLineBytes);
    if (result.status == LoadResult::Status::Loaded) {
        check(tableShapeFault(catalogue, result).empty());
        for (const LoadProblem& problem : result.problems)
            check(problem.line >= 1); // a line that exists
    }
    return 0;
}

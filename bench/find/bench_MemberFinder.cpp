// The finder on 10,000 members (50 groups of 200) and a thousand queries written as on drawings,
// against the floor: a plain substring scan of the same designations for the same query text.
// Prints the time that folding the catalogue takes, the median CPU time per query of each, their
// ratio against the goal, and the heap in use and the resident memory before and after the
// thousand queries, which must not grow (but by the few hundred bytes of freed blocks that glibc
// keeps in its per-thread cache and counts as in use).
#include "base/Text.h"
#include "coefficients/MemberFinder.h"

#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kGroups = 50;
constexpr std::size_t kQueries = 1000;
constexpr std::size_t kShown = 50; // about what a result list shows
constexpr double kGoal = 3.0;

std::u16string text(const std::string& utf8) {
    return fromUtf8(utf8);
}

std::string number(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

// Groups of the catalogue's families with sizes spread as the tables spread them.
void fillCatalogue(Catalogue& c, std::mt19937& random) {
    c.resetTables();
    c.GroupCount = kGroups;
    c.UnitWeightLabel[1] = u"kg/m";
    c.UnitPaintLabel[1] = u"m2/t";
    const char* const prefixes[] = {"H-", "[-", "L-", "P-", "□-", "FB-", "PL-", "C-", "LH-", "CT-"};
    const char* const names[] = {"H形鋼", "溝形鋼", "山形鋼",       "鋼管",          "角形鋼管",
                                 "平鋼",  "鋼板",   "リップ溝形鋼", "溶接軽量H形鋼", "CT形鋼"};
    const int dimensions[] = {4, 4, 3, 2, 3, 2, 1, 4, 4, 4};
    const double thicknesses[] = {1.6, 2.3, 3.2, 4.5, 6, 6.5, 8, 9, 12, 16, 19, 22, 25};
    for (int g = 1; g <= kGroups; ++g) {
        const int family = (g - 1) % 10;
        c.GroupName[g] = text(std::string(names[family]) + " " + std::to_string(g));
        c.GroupKind[g] = 1;
        c.GroupMemberCount[g] = Catalogue::kMemberCapacity;
        for (int m = 1; m <= Catalogue::kMemberCapacity; ++m) {
            const double depth = 50 + 25 * double(random() % 36);
            const double width = 25 + 25 * double(random() % 16);
            std::string designation = std::string(prefixes[family]) + number(depth);
            const double sizes[] = {width, thicknesses[random() % 13], thicknesses[random() % 13]};
            for (int d = 1; d < dimensions[family]; ++d)
                designation += "x" + number(sizes[d - 1]);
            c.MemberName[g][m] = text(designation);
            if (family == 0)
                c.MemberRemark[g][m] = text("呼称 " + number(depth) + "x" + number(width));
            c.MemberWeight[g][m] = 1 + double(random() % 10000) / 10;
            c.MemberPaintCoef[g][m] = 10 + double(random() % 10000) / 100;
        }
    }
}

// `designation` as someone writes it: one of the ways that the finder takes as the same.
std::u16string asWritten(const std::u16string& designation, const Catalogue& c, int g, int way) {
    std::u16string query;
    switch (way) {
    case 0: // as the catalogue has it
        return designation;
    case 1: // typed with the input method on
        for (const char16_t ch : designation)
            query += ch == u'x' ? u'×' : ch >= u'!' && ch <= u'~' ? char16_t(ch + 0xFEE0) : ch;
        return query;
    case 2: // exported by detailing software
        for (const char16_t ch : designation)
            if (ch != u'-')
                query += ch == u'x' ? u'*' : ch;
        return query;
    case 3: // shortened to its first two dimensions
        return designation.substr(0, designation.find(u'x', designation.find(u'x') + 1));
    case 4: // with blanks around the signs
        for (const char16_t ch : designation)
            query += ch == u'x' ? std::u16string(u" × ") : std::u16string(1, ch);
        return query;
    case 5: // the group's name and a size
        return c.GroupName[g].substr(0, c.GroupName[g].find(u' ')) + u" " +
               designation.substr(designation.find_first_of(u"0123456789"), 3);
    default: // a size that no member has
        return designation + u"x99";
    }
}

double cpuNanoseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e9 + double(t.tv_nsec);
}

long residentKiB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * 4;
}

double median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(values.size() / 2), values.end());
    return values[values.size() / 2];
}

} // namespace

int main() {
    std::mt19937 random(26);
    Catalogue catalogue;
    fillCatalogue(catalogue, random);
    const double indexStart = cpuNanoseconds();
    const MemberFinder finder(catalogue);
    const double indexTime = cpuNanoseconds() - indexStart;
    std::vector<std::u16string> queries;
    for (std::size_t q = 0; q < kQueries; ++q) {
        const int g = 1 + int(random() % kGroups);
        const int m = 1 + int(random() % Catalogue::kMemberCapacity);
        queries.push_back(asWritten(catalogue.MemberName[g][m], catalogue, g, int(q % 7)));
    }

    std::size_t found = 0;
    std::size_t scanned = 0;
    const auto floorScan = [&](const std::u16string& query) {
        for (int g = 1; g <= catalogue.GroupCount; ++g)
            for (int m = 1; m <= catalogue.GroupMemberCount[g]; ++m)
                scanned += catalogue.MemberName[g][m].find(query) != std::u16string::npos ? 1 : 0;
    };
    for (const std::u16string& query : queries) { // once to warm the caches
        found += finder.find(query, kShown).size();
        floorScan(query);
    }

    std::vector<double> finderTimes;
    std::vector<double> floorTimes;
    finderTimes.reserve(kQueries);
    floorTimes.reserve(kQueries);
    const long residentBefore = residentKiB();
    const std::size_t heapBefore = mallinfo2().uordblks;
    for (const std::u16string& query : queries) {
        double start = cpuNanoseconds();
        found += finder.find(query, kShown).size();
        finderTimes.push_back(cpuNanoseconds() - start);
        start = cpuNanoseconds();
        floorScan(query);
        floorTimes.push_back(cpuNanoseconds() - start);
    }
    const std::size_t heapAfter = mallinfo2().uordblks;
    const long residentAfter = residentKiB();

    const double finderMedian = median(finderTimes);
    const double floorMedian = median(floorTimes);
    const double ratio = finderMedian / floorMedian;
    std::printf("members: %d, queries: %zu, results: %zu, floor matches: %zu\n",
                kGroups * Catalogue::kMemberCapacity, kQueries, found, scanned);
    std::printf("folding the catalogue for the finder (once a load): %.1f ms\n", indexTime / 1e6);
    std::printf("median per query: find %.1f us, floor (substring scan) %.1f us\n", finderMedian / 1000,
                floorMedian / 1000);
    std::printf("find / floor = %.2f (goal: at most %.2f) %s\n", ratio, kGoal,
                ratio <= kGoal ? "met" : "MISSED");
    std::printf("heap in use before and after the queries: %zu and %zu bytes; resident: %ld and %ld KiB\n",
                heapBefore, heapAfter, residentBefore, residentAfter);
    return 0;
}

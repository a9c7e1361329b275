// The finder and the computed members: whatever is typed, the results are at most the limit, each
// member of the catalogue once and as the tables hold it; a computed member comes first, alone,
// with finite positive figures, and finding its designation again gives the same member; the
// folding and the keys are idempotent.
// (Which member comes first for what is written is the unit tests' table.)
#include "FuzzSupport.h"
#include "coefficients/FindText.h"
#include "coefficients/MemberFinder.h"

#include <cmath>
#include <set>

namespace {

const Catalogue& catalogue() {
    static const Catalogue c = [] {
        const char* const groups[][4] = {
            {"H形鋼", "H-300x150x6.5x9", "呼称 300x150", "LH-100x100x3.2x4.5"},
            {"溝形鋼・山形鋼", "[-150x75x6.5x10", "", "L-50x50x6"},
            {"冷間成形", "C-100x50x20x2.3", "", "CT-150x150x6.5x9"},
            {"管", "P-34.0x2.3", "", "□-50x50x2.3"},
            {"棒鋼・板", "φ9", "", "PL-5.0"},
            {"その他", "D13", "H-300x150x6.5x9", "１００x５０"},
        };
        Catalogue t;
        t.resetTables();
        t.GroupCount = std::int16_t(std::size(groups));
        for (std::size_t g = 1; g <= std::size(groups); ++g) {
            t.GroupName[g] = fromUtf8(groups[g - 1][0]);
            t.GroupKind[g] = 1;
            t.GroupMemberCount[g] = 2;
            t.MemberName[g][1] = fromUtf8(groups[g - 1][1]);
            t.MemberRemark[g][1] = fromUtf8(groups[g - 1][2]);
            t.MemberName[g][2] = fromUtf8(groups[g - 1][3]);
            t.MemberWeight[g][1] = double(g);
        }
        return t;
    }();
    return c;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    static const MemberFinder finder(catalogue());
    const std::size_t limit = data[0] & 0x0F;
    const std::u16string text = fuzzText(data + 1, size - 1, (data[0] & 0x80) != 0);

    const std::u16string folded = foldedForFind(text);
    check(folded.size() == text.size() && foldedForFind(folded) == folded);
    const std::u16string key = findKey(folded);
    check(findKey(key) == key);

    const std::vector<FoundMember> found = finder.find(text, limit);
    check(found.size() <= limit);
    std::set<std::pair<int, int>> seen;
    for (std::size_t i = 0; i < found.size(); ++i) {
        const FoundMember& member = found[i];
        if (member.computed) {
            check(i == 0 && member.member == 0 && member.values.remark == kComputedRemark);
            check(std::isfinite(member.values.weight) && member.values.weight > 0);
            check(std::isfinite(member.values.coefficient) && member.values.coefficient >= 0);
            const std::vector<FoundMember> again = finder.find(member.values.designation, 1);
            check(again.size() == 1 && again[0].computed && again[0].values.weight == member.values.weight &&
                  again[0].values.designation == member.values.designation);
            continue;
        }
        const Catalogue& c = catalogue();
        check(member.group >= 1 && member.group <= c.GroupCount && member.member >= 1 &&
              member.member <= c.GroupMemberCount[member.group]);
        check(seen.insert({member.group, member.member}).second);
        check(member.values.designation == c.MemberName[member.group][member.member] &&
              member.groupName == c.GroupName[member.group]);
    }
    return 0;
}

#pragma once
// What holds after every load, whatever the file held: full-size tables, counts inside them, the
// names read without blanks around them, eight blanks in the unused member slots of a group that
// was read, and nothing at all in the groups and unit kinds that were not. For the loader's cases
// and its fuzzing harness alike.
#include "catalogue/LoadCatalogue.h"

#include <string>

// The first place where the tables lose their shape; empty when they keep it.
inline std::string tableShapeFault(const Catalogue& c, const LoadResult& r) {
    if (c.GroupName.size() != 101 || c.MemberName.size() != 101 || c.UnitWeightLabel.size() != 51 ||
        c.MaxMembersPerGroup != 200 || c.GroupCount < 0 || c.GroupCount > 100 || c.UnitKindCount > 50 ||
        r.unitLinesStored < 0 || r.unitLinesStored > 50)
        return "table sizes or counts";
    for (int g = 0; g <= 100; ++g) {
        const bool read = g >= 1 && g <= c.GroupCount;
        const int count = c.GroupMemberCount[g];
        if (c.MemberName[g].size() != 201 || c.MemberWeight[g].size() != 201 || count < 0 || count > 200 ||
            (!read && (count != 0 || !c.GroupName[g].empty() || c.GroupKind[g] != 0 || c.GroupShape[g] != 0)))
            return "group " + std::to_string(g);
        for (int m = 1; m <= 200; ++m) {
            const std::u16string& name = c.MemberName[g][m];
            if (m > count ? name != (read ? u"        " : u"")
                          : name.starts_with(u' ') || name.ends_with(u' '))
                return "group " + std::to_string(g) + " slot " + std::to_string(m);
        }
    }
    for (int k = r.unitLinesStored + 1; k <= 50; ++k) {
        if (!c.UnitWeightLabel[k].empty() || !c.UnitPaintLabel[k].empty())
            return "unit kind " + std::to_string(k);
    }
    return {};
}

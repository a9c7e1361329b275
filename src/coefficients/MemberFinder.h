#pragma once

#include "catalogue/Catalogue.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One result of a search: a member of the catalogue, or a member computed from a whole designation
// that no member of the catalogue has.
struct FoundMember {
    bool computed = false;
    // A member of the catalogue: its group and member, 1-based. A computed member: member 0, and
    // the group of the catalogue that holds its family (0 when none does).
    std::int16_t group = 0;
    std::int16_t member = 0;
    // What the result list shows beside the designation: the group's name, or for a computed
    // member the family's name marked as computed.
    std::u16string groupName;
    // What the label shows and the link sends; a computed member's remark is "計算値".
    MemberValues values;
};

// Finds members by what a user types, as designations are written on drawings. Built once for a
// loaded catalogue (and again after every load); each search then costs no more than a scan.
class MemberFinder {
public:
    explicit MemberFinder(const Catalogue& catalogue);

    // The members that `query` finds, best first, at most `limit` of them.
    std::vector<FoundMember> find(std::u16string_view query, std::size_t limit) const;

private:
    const Catalogue& m_catalogue;
};

#pragma once

#include "catalogue/Catalogue.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct SectionFamily;

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

// The remark of a computed member, and the mark after its family's name.
inline constexpr std::u16string_view kComputedRemark = u"計算値";

// Finds members by what a user types, as designations are written on drawings (FindText.h says
// which ways of writing are one). Built once for a loaded catalogue (and again after every load):
// the construction folds every designation, remark and group name; each search is then one pass
// over the folded texts.
//
// A member is found when the text, without its blanks, is in its designation, its remark or its
// group's name, or when every word of the text (the text cut at its blanks) is in one of them.
// Best first:
//   1. the designation itself (also its size part alone: "9" finds PL-9, φ9 and SQ-9);
//   2. designations that begin with the text ("H-300x150" finds H-300x150x6.5x9), or whose
//      size part does ("150x75");
//   3. the remark: its nominal size after the member's prefix ("H-300x150" finds H-298x149x5.5x8,
//      remark 呼称 300x150), or any part of it; of these, members whose size begins with their
//      nominal size first;
//   4. anything that contains the text; then members that every word finds, those whose words
//      find them best first.
// Ties keep the catalogue's order. A text that is a whole designation of a family that may be
// computed (SectionFamilies.h), and that no member has, gives a computed member before all others.
class MemberFinder {
public:
    explicit MemberFinder(const Catalogue& catalogue);

    // The members that `query` finds, best first, at most `limit` of them.
    std::vector<FoundMember> find(std::u16string_view query, std::size_t limit) const;

private:
    // Where a folded text lies in m_keys.
    struct Span {
        std::uint32_t start = 0;
        std::uint32_t length = 0;
    };
    struct Indexed {
        std::int16_t group = 0;
        std::int16_t member = 0;
        Span designation;
        std::uint32_t sizeOffset = 0; // the size part's start within the designation
        Span remark;
        Span nominal;              // the prefix, then the nominal size that the remark gives; or none
        bool nominalIsOwn = false; // the designation's size begins with the nominal size
    };
    // A whole designation that the query spells, of a family that may be computed.
    struct Spelled {
        const SectionFamily* family;
        std::u16string designation; // as the catalogue would write it
        std::u16string key;
    };

    Span stored(std::u16string_view key);
    std::u16string_view text(Span span) const;
    std::optional<Spelled> spelledDesignation(std::u16string_view key) const;
    int rankOf(const Indexed& member, std::u16string_view key) const;
    std::optional<FoundMember> computedMember(const Spelled& spelled) const;

    const Catalogue& m_catalogue;
    std::u16string m_keys;
    std::vector<Indexed> m_members;
    std::vector<std::u16string> m_groupKeys; // by group number
    // The folded prefix of every family (and of its other way of writing), and the group that
    // holds members of the family (0 when none does), by the family's row.
    std::vector<std::pair<std::u16string, const SectionFamily*>> m_prefixes;
    std::vector<std::int16_t> m_familyGroups;
};

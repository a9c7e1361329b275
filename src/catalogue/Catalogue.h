#pragma once

#include <cstdint>
#include <string>

#include <vector>

// What the value label shows and the spreadsheet link sends of one member: a member of the tables,
// or one computed from a designation that the catalogue lacks.
struct MemberValues {
    std::u16string designation; // trimmed, as the tables hold it
    std::u16string remark;
    std::int16_t kind = 0; // the unit kind, whose labels the catalogue holds
    double weight = 0;
    double coefficient = 0;
};

// The catalogue tables and header settings, as the loader leaves them.
//
// Groups, members and unit kinds are numbered from 1; index 0 of every table exists and is never
// filled. The tables are always dimensioned to the capacities below, whatever the counts say.
struct Catalogue {
    static constexpr std::int16_t kGroupCapacity = 100;
    static constexpr std::int16_t kMemberCapacity = 200;
    static constexpr std::int16_t kUnitKindCapacity = 50;

    // Counts.
    std::int16_t GroupCount = 0;
    std::int16_t MaxMembersPerGroup = 0;
    std::int16_t UnitKindCount = 0;

    // Group tables, 0 to kGroupCapacity.
    std::vector<std::u16string> GroupName;
    std::vector<std::int16_t> GroupMemberCount;
    std::vector<std::int16_t> GroupKind;
    std::vector<std::int16_t> GroupShape;

    // Member tables, [group 0 to kGroupCapacity][member 0 to kMemberCapacity].
    std::vector<std::vector<std::u16string>> MemberName;
    std::vector<std::vector<std::u16string>> MemberRemark;
    std::vector<std::vector<double>> MemberWeight;
    std::vector<std::vector<double>> MemberPaintCoef;

    // Unit labels, 0 to kUnitKindCapacity.
    std::vector<std::u16string> UnitWeightLabel;
    std::vector<std::u16string> UnitPaintLabel;

    // Header settings; a load replaces each only when it reads its line.
    std::u16string WeightKeys;
    std::u16string WeightFormula;
    std::u16string AreaKeys;
    std::u16string AreaFormula;
    std::u16string Kind1Keys;
    std::u16string Kind2Keys;
    std::u16string Kind3Keys;
    std::u16string WeightTitle;
    std::u16string PaintTitle;

    // Sets the counts to the capacities and dimensions every table afresh, emptied.
    void resetTables();

    // The labels of unit kind k, or empty text for a kind that has no entry in the label tables.
    std::u16string weightLabelOf(std::int16_t kind) const;
    std::u16string paintLabelOf(std::int16_t kind) const;

    // Member m of group g, both existing.
    MemberValues memberValues(std::int16_t g, std::int16_t m) const;
};

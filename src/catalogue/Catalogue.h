#pragma once

#include <QString>

#include <vector>

// The catalogue tables and header settings, as the loader leaves them.
//
// Groups, members and unit kinds are numbered from 1; index 0 of every table exists and is never
// filled. The tables are always dimensioned to the capacities below, whatever the counts say.
struct Catalogue {
    static constexpr qint16 kGroupCapacity = 100;
    static constexpr qint16 kMemberCapacity = 200;
    static constexpr qint16 kUnitKindCapacity = 50;

    // Counts.
    qint16 GroupCount = 0;
    qint16 MaxMembersPerGroup = 0;
    qint16 UnitKindCount = 0;

    // Group tables, 0 to kGroupCapacity.
    std::vector<QString> GroupName;
    std::vector<qint16> GroupMemberCount;
    std::vector<qint16> GroupKind;
    std::vector<qint16> GroupShape;

    // Member tables, [group 0 to kGroupCapacity][member 0 to kMemberCapacity].
    std::vector<std::vector<QString>> MemberName;
    std::vector<std::vector<QString>> MemberRemark;
    std::vector<std::vector<double>> MemberWeight;
    std::vector<std::vector<double>> MemberPaintCoef;

    // Unit labels, 0 to kUnitKindCapacity.
    std::vector<QString> UnitWeightLabel;
    std::vector<QString> UnitPaintLabel;

    // Header settings; a load replaces each only when it reads its line.
    QString WeightKeys;
    QString WeightFormula;
    QString AreaKeys;
    QString AreaFormula;
    QString Kind1Keys;
    QString Kind2Keys;
    QString Kind3Keys;
    QString WeightTitle;
    QString PaintTitle;

    // Sets the counts to the capacities and dimensions every table afresh, emptied.
    void resetTables();

    // The labels of unit kind k, or empty text for a kind that has no entry in the label tables.
    QString weightLabelOf(qint16 kind) const;
    QString paintLabelOf(qint16 kind) const;
};

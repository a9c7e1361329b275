#include "Catalogue.h"

#include <algorithm>

namespace {

// Sizes `table` to `size` elements, every one `value`. Reuses the table's storage: a reload (and
// a reader that loads again and again) then costs no allocation for the tables themselves.
template <typename T> void refill(std::vector<T>& table, std::size_t size, const T& value) {
    table.resize(size);
    std::fill(table.begin(), table.end(), value);
}

template <typename T>
void refill(std::vector<std::vector<T>>& table, std::size_t rows, std::size_t columns, const T& value) {
    table.resize(rows);
    for (std::vector<T>& row : table)
        refill(row, columns, value);
}

} // namespace

void Catalogue::resetTables() {
    GroupCount = kGroupCapacity;
    MaxMembersPerGroup = kMemberCapacity;
    UnitKindCount = kUnitKindCapacity;

    const std::size_t groups = std::size_t(GroupCount) + 1;
    const std::size_t members = std::size_t(MaxMembersPerGroup) + 1;
    refill(GroupName, groups, std::u16string());
    refill(GroupMemberCount, groups, std::int16_t(0));
    refill(GroupKind, groups, std::int16_t(0));
    refill(GroupShape, groups, std::int16_t(0));
    refill(MemberName, groups, members, std::u16string());
    refill(MemberRemark, groups, members, std::u16string());
    refill(MemberWeight, groups, members, 0.0);
    refill(MemberPaintCoef, groups, members, 0.0);
    refill(UnitWeightLabel, std::size_t(UnitKindCount) + 1, std::u16string());
    refill(UnitPaintLabel, std::size_t(UnitKindCount) + 1, std::u16string());
}

std::u16string Catalogue::weightLabelOf(std::int16_t kind) const {
    return kind >= 0 && std::size_t(kind) < UnitWeightLabel.size() ? UnitWeightLabel[kind] : std::u16string();
}

std::u16string Catalogue::paintLabelOf(std::int16_t kind) const {
    return kind >= 0 && std::size_t(kind) < UnitPaintLabel.size() ? UnitPaintLabel[kind] : std::u16string();
}

MemberValues Catalogue::memberValues(std::int16_t g, std::int16_t m) const {
    return {MemberName[g][m], MemberRemark[g][m], GroupKind[g], MemberWeight[g][m], MemberPaintCoef[g][m]};
}

#include "Catalogue.h"

void Catalogue::resetTables() {
    GroupCount = kGroupCapacity;
    MaxMembersPerGroup = kMemberCapacity;
    UnitKindCount = kUnitKindCapacity;

    const std::size_t groups = std::size_t(GroupCount) + 1;
    const std::size_t members = std::size_t(MaxMembersPerGroup) + 1;
    GroupName.assign(groups, QString());
    GroupMemberCount.assign(groups, 0);
    GroupKind.assign(groups, 0);
    GroupShape.assign(groups, 0);
    MemberName.assign(groups, std::vector<QString>(members));
    MemberRemark.assign(groups, std::vector<QString>(members));
    MemberWeight.assign(groups, std::vector<double>(members, 0.0));
    MemberPaintCoef.assign(groups, std::vector<double>(members, 0.0));
    UnitWeightLabel.assign(std::size_t(UnitKindCount) + 1, QString());
    UnitPaintLabel.assign(std::size_t(UnitKindCount) + 1, QString());
}

QString Catalogue::weightLabelOf(qint16 kind) const {
    return kind >= 0 && std::size_t(kind) < UnitWeightLabel.size() ? UnitWeightLabel[kind] : QString();
}

QString Catalogue::paintLabelOf(qint16 kind) const {
    return kind >= 0 && std::size_t(kind) < UnitPaintLabel.size() ? UnitPaintLabel[kind] : QString();
}

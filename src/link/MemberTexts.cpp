#include "MemberTexts.h"

#include "base/Text.h"
#include "catalogue/Catalogue.h"
#include "catalogue/NumberText.h"

std::u16string valueLabelText(const Catalogue& catalogue, const MemberValues& member) {
    return std::u16string(trimSpaces(NumberText(member.weight))) + catalogue.weightLabelOf(member.kind) +
           NumberText(member.coefficient) + catalogue.paintLabelOf(member.kind);
}

std::u16string valueLabelText(const Catalogue& catalogue, std::int16_t g, std::int16_t m) {
    return valueLabelText(catalogue, catalogue.memberValues(g, m));
}

std::u16string TableRowText(const MemberValues& member) {
    const char16_t tab = u'\t';
    return member.designation + tab + member.remark + tab + NumberText(member.kind) + tab +
           NumberText(member.weight) + tab + NumberText(member.coefficient);
}

std::u16string TableRowText(const Catalogue& catalogue, std::int16_t g, std::int16_t m) {
    return TableRowText(catalogue.memberValues(g, m));
}

#include "MemberTexts.h"

#include "base/Text.h"
#include "catalogue/Catalogue.h"
#include "catalogue/NumberText.h"

std::u16string valueLabelText(const Catalogue& catalogue, std::int16_t g, std::int16_t m) {
    const std::int16_t k = catalogue.GroupKind[g];
    return std::u16string(trimSpaces(NumberText(catalogue.MemberWeight[g][m]))) + catalogue.weightLabelOf(k) +
           NumberText(catalogue.MemberPaintCoef[g][m]) + catalogue.paintLabelOf(k);
}

std::u16string TableRowText(const Catalogue& catalogue, std::int16_t g, std::int16_t m) {
    const char16_t tab = u'\t';
    return catalogue.MemberName[g][m] + tab + catalogue.MemberRemark[g][m] + tab +
           NumberText(catalogue.GroupKind[g]) + tab + NumberText(catalogue.MemberWeight[g][m]) + tab +
           NumberText(catalogue.MemberPaintCoef[g][m]);
}

#include "MemberTexts.h"

#include "catalogue/Catalogue.h"
#include "catalogue/NumberText.h"

QString ValueLabelText(const Catalogue& catalogue, qint16 g, qint16 m)
{
    const qint16 k = catalogue.GroupKind[g];
    return NumberText(catalogue.MemberWeight[g][m]).trimmed() + catalogue.weightLabelOf(k) +
           NumberText(catalogue.MemberPaintCoef[g][m]) + catalogue.paintLabelOf(k);
}

QString TableRowText(const Catalogue& catalogue, qint16 g, qint16 m)
{
    const QChar tab(u'\t');
    return catalogue.MemberName[g][m] + tab + catalogue.MemberRemark[g][m] + tab +
           NumberText(catalogue.GroupKind[g]) + tab + NumberText(catalogue.MemberWeight[g][m]) + tab +
           NumberText(catalogue.MemberPaintCoef[g][m]);
}

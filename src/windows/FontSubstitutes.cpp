#include "FontSubstitutes.h"

#include <QStringList>

void installFontSubstitutes() {
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                                QStringLiteral("IPAGothic"), QStringLiteral("Droid Sans Fallback")});
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"),
                               {QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP"),
                                QStringLiteral("IPAPGothic"), QStringLiteral("Droid Sans Fallback")});
    QFont::insertSubstitutions(
        QStringLiteral("ＭＳ Ｐ明朝"),
        {QStringLiteral("IPAPMincho"), QStringLiteral("Noto Serif CJK JP"), QStringLiteral("IPAMincho")});
    // The face is heavy by design; its stand-ins are drawn at black weight by whoever uses them.
    QFont::insertSubstitutions(
        QStringLiteral("Arial Black"),
        {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans")});
}

QFont defaultInterfaceFont() {
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPointSizeF(9);
    return font;
}

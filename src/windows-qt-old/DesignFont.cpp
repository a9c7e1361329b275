#include "DesignFont.h"

#include <QStringList>

namespace {

struct FaceFallback {
    const char16_t* face;
    QStringList families;
    QFont::Weight weight;
};

const FaceFallback* fallbackOf(const QString& face) {
    static const FaceFallback table[] = {
        {u"ＭＳ ゴシック",
         {u"ＭＳ ゴシック"_qs, u"MS Gothic"_qs, u"IPAGothic"_qs, u"IPAゴシック"_qs},
         QFont::Normal},
        {u"ＭＳ Ｐゴシック",
         {u"ＭＳ Ｐゴシック"_qs, u"MS PGothic"_qs, u"IPAPGothic"_qs, u"IPA Pゴシック"_qs},
         QFont::Normal},
        {u"ＭＳ Ｐ明朝",
         {u"ＭＳ Ｐ明朝"_qs, u"MS PMincho"_qs, u"IPAPMincho"_qs, u"IPA P明朝"_qs},
         QFont::Normal},
        // Arial Black is a black-weight face; a substitute only looks like it at that weight.
        {u"Arial Black", {u"Arial Black"_qs, u"Liberation Sans"_qs, u"DejaVu Sans"_qs}, QFont::Black},
    };
    for (const FaceFallback& entry : table) {
        if (face == QStringView(entry.face))
            return &entry;
    }
    return nullptr;
}

} // namespace

QFont designFont(const QString& face, qreal pointSize) {
    QFont font;
    if (const FaceFallback* fallback = fallbackOf(face)) {
        font.setFamilies(fallback->families);
        font.setWeight(fallback->weight);
    } else {
        font.setFamilies({face});
    }
    font.setPointSizeF(pointSize);
    return font;
}

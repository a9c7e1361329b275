#include "CatalogueLines.h"

#include "FixedPointText.h"

#include <algorithm>
#include <utility>

namespace {

// How many UTF-16 units make up the first `width` characters of `text` (or all of it), and how
// many characters that is.
std::pair<qsizetype, qsizetype> unitsOfCharacters(QStringView text, qsizetype width) {
    qsizetype characters = 0;
    qsizetype units = 0;
    while (units < text.size() && characters < width) {
        const bool pair =
            text[units].isHighSurrogate() && units + 1 < text.size() && text[units + 1].isLowSurrogate();
        units += pair ? 2 : 1;
        ++characters;
    }
    return {units, characters};
}

QChar* put(QChar* out, QStringView text) {
    std::copy(text.begin(), text.end(), out);
    return out + text.size();
}

QChar* putBlanks(QChar* out, qsizetype count) {
    return std::fill_n(out, count, QChar(u' '));
}

QChar* putNumberField(QChar* out, const char* text, qsizetype length) {
    out = putBlanks(out, std::max<qsizetype>(kNumberFieldWidth - length, 0));
    return std::copy(text, text + length, out);
}

} // namespace

void FormatGroupHeaderLine(QString& line, QStringView name, qint16 kind, qint16 shape) {
    line.resize(0);
    line.append(u'"');
    line.append(name);
    line.append(u"\",");
    line.append(QString::number(kind));
    line.append(u',');
    line.append(QString::number(shape));
}

void FormatMemberLine(QString& line, QStringView designation, QStringView remark, double weight,
                      double coefficient) {
    // Every piece's length is known before, so the line is written in place in one go.
    const auto [designationUnits, designationCharacters] = unitsOfCharacters(designation, kDesignationWidth);
    char weightText[kMaxFixedPointLength];
    const qsizetype weightLength = qsizetype(WriteFixedPoint(weightText, weight, kWeightDecimals));
    char coefficientText[kMaxFixedPointLength];
    const qsizetype coefficientLength =
        qsizetype(WriteFixedPoint(coefficientText, coefficient, kCoefficientDecimals));
    const qsizetype size = 1 + designationUnits + (kDesignationWidth - designationCharacters) + 3 +
                           remark.size() + 2 + std::max(weightLength, kNumberFieldWidth) + 1 +
                           std::max(coefficientLength, kNumberFieldWidth);
    line.resize(size);
    QChar* p = line.data();
    *p++ = u'"';
    p = put(p, designation.left(designationUnits));
    p = putBlanks(p, kDesignationWidth - designationCharacters);
    p = put(p, u"\",\"");
    p = put(p, remark);
    p = put(p, u"\",");
    p = putNumberField(p, weightText, weightLength);
    *p++ = u',';
    p = putNumberField(p, coefficientText, coefficientLength);
    Q_ASSERT(p == line.data() + size);
}

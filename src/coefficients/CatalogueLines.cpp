#include "CatalogueLines.h"

#include "FixedPointText.h"

#include <QLatin1StringView>

namespace {

void appendWidened(QString& line, QStringView designation) {
    qsizetype characters = 0;
    qsizetype units = 0;
    while (units < designation.size() && characters < kDesignationWidth) {
        const bool pair = designation[units].isHighSurrogate() && units + 1 < designation.size() &&
                          designation[units + 1].isLowSurrogate();
        units += pair ? 2 : 1;
        ++characters;
    }
    line.append(designation.left(units));
    for (; characters < kDesignationWidth; ++characters)
        line.append(u' ');
}

void appendNumberField(QString& line, double value, int decimals) {
    char text[kMaxFixedPointLength];
    const qsizetype length = qsizetype(WriteFixedPoint(text, value, decimals));
    for (qsizetype i = length; i < kNumberFieldWidth; ++i)
        line.append(u' ');
    line.append(QLatin1StringView(text, length));
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
    line.resize(0);
    line.append(u'"');
    appendWidened(line, designation);
    line.append(u"\",\"");
    line.append(remark);
    line.append(u"\",");
    appendNumberField(line, weight, kWeightDecimals);
    line.append(u',');
    appendNumberField(line, coefficient, kCoefficientDecimals);
}

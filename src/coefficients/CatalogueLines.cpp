#include "CatalogueLines.h"

#include "FixedPointText.h"

#include <QLatin1StringView>

namespace {

void appendAscii(QString& line, const std::string& text) {
    line.append(QLatin1StringView(text.data(), qsizetype(text.size())));
}

} // namespace

QString OutputDesignation(QStringView designation) {
    qsizetype characters = 0;
    qsizetype units = 0;
    while (units < designation.size() && characters < kDesignationWidth) {
        const bool pair = designation[units].isHighSurrogate() && units + 1 < designation.size() &&
                          designation[units + 1].isLowSurrogate();
        units += pair ? 2 : 1;
        ++characters;
    }
    QString text;
    text.reserve(units + (kDesignationWidth - characters));
    text.append(designation.left(units));
    text.append(QString(kDesignationWidth - characters, u' '));
    return text;
}

void FormatGroupHeaderLine(QString& line, QStringView name, qint16 kind, qint16 shape) {
    line.clear();
    line.append(u'"');
    line.append(name);
    line.append(u'"');
    line.append(u',');
    line.append(QString::number(kind));
    line.append(u',');
    line.append(QString::number(shape));
}

void FormatMemberLine(QString& line, QStringView outputDesignation, QStringView remark, double weight,
                      double coefficient) {
    line.clear();
    line.append(u'"');
    line.append(outputDesignation);
    line.append(u"\",\"");
    line.append(remark);
    line.append(u"\",");
    appendAscii(line, RightAligned(FixedPointText(weight, kWeightDecimals), kNumberFieldWidth));
    line.append(u',');
    appendAscii(line, RightAligned(FixedPointText(coefficient, kCoefficientDecimals), kNumberFieldWidth));
}

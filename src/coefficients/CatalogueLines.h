#pragma once

#include <QString>
#include <QStringView>

// The group and member lines in the layout that the coefficient generator writes (line ends are
// the writer's business). Each Format* function replaces the contents of `line`, so that one
// buffer can serve a whole run.

// Designations are written widened with blanks or cut to this many characters.
inline constexpr qsizetype kDesignationWidth = 21;
// Weight and coefficient are right-aligned in fields this wide.
inline constexpr std::size_t kNumberFieldWidth = 12;
inline constexpr int kWeightDecimals = 4;      // "#0.0000"
inline constexpr int kCoefficientDecimals = 2; // "#0.00"

// `designation` followed by blanks and cut to kDesignationWidth characters. Characters, not
// UTF-16 units: a character outside the BMP counts once and is never split.
QString OutputDesignation(QStringView designation);

// "name",kind,shape
void FormatGroupHeaderLine(QString& line, QStringView name, qint16 kind, qint16 shape);

// "<designation, 21 wide>","remark",  weight.0000,  coef.00 ; quotes inside the texts are
// written as they are. `outputDesignation` comes from OutputDesignation().
void FormatMemberLine(QString& line, QStringView outputDesignation, QStringView remark, double weight,
                      double coefficient);

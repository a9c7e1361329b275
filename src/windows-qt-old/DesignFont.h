#pragma once

#include <QFont>
#include <QString>

// The font a window design names, by its Windows face name ("ＭＳ ゴシック", "Arial Black", ...).
// Where the face itself is not installed, the nearest installed face takes its place: the IPA
// fonts for the MS Japanese faces (same metrics family: fixed-pitch Gothic, proportional Gothic,
// proportional Mincho), a heavy sans-serif for Arial Black.
QFont designFont(const QString& face, qreal pointSize);

#pragma once

#include <QtGlobal>

// Design positions and sizes are in twips (1/1440 inch); on screen they take as many pixels as
// the screen's logical resolution gives: 15 twips a pixel at 96 dots per inch.
inline int TwipsToPixels(int twips, qreal dotsPerInch) {
    return qRound(twips * dotsPerInch / 1440.0);
}

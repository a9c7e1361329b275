#include "Twips.h"

#include <QWidget>

#include <cmath>

int twipsToPixels(int twips, int logicalDpi) {
    return static_cast<int>(std::lround(twips * static_cast<double>(logicalDpi) / 1440.0));
}

QRect twipsRect(const QWidget& widget, int x, int y, int width, int height) {
    return {twipsToPixels(x, widget.logicalDpiX()), twipsToPixels(y, widget.logicalDpiY()),
            twipsToPixels(width, widget.logicalDpiX()), twipsToPixels(height, widget.logicalDpiY())};
}

QSize twipsSize(const QWidget& widget, int width, int height) {
    return twipsRect(widget, 0, 0, width, height).size();
}

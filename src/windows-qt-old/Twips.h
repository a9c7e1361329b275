#pragma once

#include <QRect>

class QWidget;

// Window designs are measured in twips (1/1440 inch); the screen in pixels at its logical
// resolution, so 15 twips make a pixel at 96 dots per inch.
int twipsToPixels(int twips, int logicalDpi);

// A design rectangle in twips as pixels for the resolution `widget` is shown at.
QRect twipsRect(const QWidget& widget, int x, int y, int width, int height);
QSize twipsSize(const QWidget& widget, int width, int height);

#pragma once

class QWidget;

// Start-up measurement: on the first paint of `window`, prints the time of it on standard output
// (printFirstPaintTime), so that a script can take it from the moment it started the process.
// Enabled by ZELK_REPORT_FIRST_PAINT.
void reportFirstPaint(QWidget& window);

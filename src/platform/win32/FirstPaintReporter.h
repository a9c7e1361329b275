#pragma once

#include <windows.h>

// Start-up measurement: on the first paint of `window`, prints the time of it on standard output
// (printFirstPaintTime), so that a script can take it from the moment it started the process.
// Enabled by ZELK_REPORT_FIRST_PAINT. Call it once, before the window is shown.
void reportFirstPaint(HWND window);

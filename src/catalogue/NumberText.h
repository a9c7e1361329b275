#pragma once

#include <string>

// The text of a number as the window shows and sends it: a blank in the sign position for zero
// and positive values, "-" for negative ones; "." as the decimal point whatever the locale; the
// shortest digits that give the value to 15 significant digits; no "0" before the point of a
// magnitude below 1 (" .574", "-.5"). Very large and very small magnitudes take an exponent
// form (" 1E+20", "-1.5E-07").
std::u16string NumberText(double x);

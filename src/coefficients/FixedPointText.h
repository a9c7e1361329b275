#pragma once

#include <string>

// `value` with exactly `decimals` digits after "." and at least one before it: the formats
// "#0.0000" (4) and "#0.00" (2) of the catalogue file. The rounding is half away from zero,
// decided on the value's shortest decimal text to 15 significant digits, so that a value that
// reads 2.675 is written 2.68 although its binary neighbour lies just below. "." whatever the
// locale. A value that rounds to zero carries no minus sign. `value` must be finite.
std::string FixedPointText(double value, int decimals);

// `text` with blanks in front to make it `width` characters long; a longer text is returned
// whole, since cutting it would change the number.
std::string RightAligned(std::string text, std::size_t width);

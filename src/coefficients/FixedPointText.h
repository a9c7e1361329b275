#pragma once

#include <cstddef>
#include <string>

// `value` with exactly `decimals` digits after "." and at least one before it: the formats
// "#0.0000" (4) and "#0.00" (2) of the catalogue file. The rounding is half away from zero,
// decided on the value's shortest decimal text to 15 significant digits, so that a value that
// reads 2.675 is written 2.68 although its binary neighbour lies just below. "." whatever the
// locale. A value that rounds to zero carries no minus sign. `value` must be finite.

// The largest text for up to kMaxFixedDecimals decimals: a sign, 309 digits, ".", the decimals.
inline constexpr int kMaxFixedDecimals = 15;
inline constexpr std::size_t kMaxFixedPointLength = 1 + 309 + 1 + kMaxFixedDecimals;

// Writes the text to `out`, which must hold kMaxFixedPointLength characters; returns its length.
std::size_t writeFixedPoint(char* out, double value, int decimals);
std::string fixedPointText(double value, int decimals);
// The same without the zeros that end its decimals, and without a "." that ends it: 0.8830 as
// "0.883", 17.0000 as "17".
std::string shortFixedPointText(double value, int decimals);

#pragma once

#include <string_view>

// The decimal number at the start of `text`. Blanks (space, tab, line feed) are skipped wherever
// they stand; then come an optional sign, digits and at most one ".", whatever the locale.
// Reading stops at the first character that cannot continue the number ("100x50" is 100); no
// exponent is read. A text without a number at its start, the empty text included, is 0.
// A number too large for a double reads as an infinity of its sign.
double leadingNumber(std::u16string_view text);

#include "NumberText.h"

#include <charconv>
#include <cmath>

std::u16string NumberText(double x) {
    if (std::isnan(x))
        return u" NaN";
    if (std::isinf(x))
        return x > 0 ? u" Inf" : u"-Inf";
    if (x == 0) // also -0, which has no sign of its own here
        return u" 0";

    // "%.15g" without its locale: 15 significant digits, trailing zeros dropped, exponent form
    // below 1E-4 and from 1E+15 on (with at least two exponent digits).
    char digits[64];
    const auto result =
        std::to_chars(digits, digits + sizeof digits, std::fabs(x), std::chars_format::general, 15);
    std::u16string text(1, x < 0 ? u'-' : u' ');
    const char* p = digits;
    if (p[0] == '0' && p + 1 < result.ptr && p[1] == '.')
        ++p; // ".574", not "0.574"
    for (; p < result.ptr; ++p)
        text.push_back(*p == 'e' ? u'E' : char16_t(*p));
    return text;
}

#include "LeadingNumber.h"

#include "base/PowersOfTen.h"

#include <charconv>
#include <iterator>
#include <limits>
#include <string>

namespace {

bool isSkippedBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

// Whole numbers up to 2^53 are exact doubles.
constexpr unsigned long long kExactMantissa = 1ULL << 53;

// The number's characters without the blanks, up to `end`, read by from_chars: for numbers too
// long for the exact division.
double readLong(std::u16string_view text, std::size_t end, bool negative) {
    std::string number;
    bool nonZeroBeforePoint = false;
    bool pointSeen = false;
    for (std::size_t i = 0; i < end; ++i) {
        const char16_t c = text[i];
        if ((c >= u'0' && c <= u'9') || c == u'.') {
            number.push_back(char(c));
            pointSeen = pointSeen || c == u'.';
            nonZeroBeforePoint = nonZeroBeforePoint || (!pointSeen && c != u'0');
        }
    }
    double value = 0.0;
    const auto [last, error] =
        std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed);
    if (error == std::errc::result_out_of_range) {
        // from_chars leaves the value alone when it does not fit: a long run of digits before
        // the point overflows, a long run of zeros after it underflows.
        value = nonZeroBeforePoint ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

} // namespace

double leadingNumber(std::u16string_view text) {
    bool signAllowed = true;
    bool negative = false;
    bool pointSeen = false;
    bool digitSeen = false;
    // The digits as a whole number and how many of them follow the point, while that is exact.
    unsigned long long mantissa = 0;
    int fractionDigits = 0;
    bool exact = true;
    std::size_t end = 0;
    for (; end < text.size(); ++end) {
        const char16_t c = text[end];
        // Digits first: they are most of what is read.
        if (const unsigned digit = unsigned(c) - u'0'; digit < 10) {
            signAllowed = false;
            digitSeen = true;
            if (exact) {
                mantissa = mantissa * 10 + digit;
                fractionDigits += pointSeen ? 1 : 0;
                exact = mantissa < kExactMantissa / 10 && fractionDigits < int(std::size(kExactPowersOfTen));
            }
            continue;
        }
        if (isSkippedBlank(c))
            continue;
        if (signAllowed && (c == u'+' || c == u'-')) {
            signAllowed = false;
            negative = c == u'-';
            continue;
        }
        signAllowed = false;
        if (c == u'.' && !pointSeen) {
            pointSeen = true;
        } else {
            break;
        }
    }
    if (!digitSeen)
        return 0.0;
    if (!exact)
        return readLong(text, end, negative);
    // Both operands are exact, so the one division rounds correctly, as from_chars would.
    const double whole = double(mantissa);
    const double value = fractionDigits == 0 ? whole : whole / kExactPowersOfTen[fractionDigits];
    return negative ? -value : value;
}

#include "FixedPointText.h"

#include <QtGlobal>

#include <charconv>
#include <cmath>

namespace {

constexpr int kSignificantDigits = 15;

} // namespace

std::string FixedPointText(double value, int decimals) {
    Q_ASSERT(std::isfinite(value) && decimals >= 0);
    const bool negative = std::signbit(value);
    const double magnitude = std::fabs(value);

    // "d.dddddddddddddde+XX": the magnitude to 15 significant digits, correctly rounded.
    char scientific[32];
    const auto result = std::to_chars(scientific, scientific + sizeof scientific, magnitude,
                                      std::chars_format::scientific, kSignificantDigits - 1);
    Q_ASSERT(result.ec == std::errc());
    std::string digits;
    digits.reserve(kSignificantDigits);
    const char* p = scientific;
    for (; *p != 'e'; ++p) {
        if (*p != '.')
            digits.push_back(*p);
    }
    ++p; // the exponent: a sign, then two or three digits
    const bool negativeExponent = *p++ == '-';
    int exponent = 0;
    std::from_chars(p, result.ptr, exponent);
    if (negativeExponent)
        exponent = -exponent;

    // The value in units of the last decimal written: its first `kept` digits, rounded on the next.
    const long kept = long(exponent) + 1 + decimals;
    std::string units;
    if (kept >= long(digits.size())) {
        units = digits + std::string(std::size_t(kept) - digits.size(), '0');
    } else if (kept >= 0) {
        units = digits.substr(0, std::size_t(kept));
        if (digits[std::size_t(kept)] >= '5') {
            long i = long(units.size()) - 1;
            for (; i >= 0 && units[std::size_t(i)] == '9'; --i)
                units[std::size_t(i)] = '0';
            if (i >= 0)
                ++units[std::size_t(i)];
            else
                units.insert(units.begin(), '1');
        }
    }
    const std::size_t firstNonZero = units.find_first_not_of('0');
    units = firstNonZero == std::string::npos ? std::string() : units.substr(firstNonZero);
    const bool isZero = units.empty();
    if (units.size() < std::size_t(decimals) + 1)
        units.insert(0, std::size_t(decimals) + 1 - units.size(), '0');

    std::string text;
    text.reserve(units.size() + 2);
    if (negative && !isZero)
        text.push_back('-');
    text.append(units, 0, units.size() - std::size_t(decimals));
    if (decimals > 0) {
        text.push_back('.');
        text.append(units, units.size() - std::size_t(decimals));
    }
    return text;
}

std::string RightAligned(std::string text, std::size_t width) {
    if (text.size() < width)
        text.insert(0, width - text.size(), ' ');
    return text;
}

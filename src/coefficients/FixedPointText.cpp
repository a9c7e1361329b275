#include "FixedPointText.h"

#include "base/PowersOfTen.h"

#include <cassert>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace {

constexpr int kSignificantDigits = 15;

static_assert(kMaxFixedDecimals < int(std::size(kExactPowersOfTen)));

// The sign, then `units` with a "." before its last `decimals` digits.
std::size_t writeUnits(char* out, bool negative, unsigned long long units, int decimals) {
    // The digits from the last one backwards, the point among them, at least one digit before it.
    const bool isZero = units == 0;
    char text[32];
    char* p = text + sizeof text;
    int written = 0;
    const auto putDigits = [&](auto rest) {
        for (; rest != 0 || written <= decimals; ++written) {
            if (written == decimals && decimals > 0)
                *--p = '.';
            *--p = char('0' + rest % 10);
            rest /= 10;
        }
    };
    // Weights and coefficients fit 32 bits in units, whose division is the cheaper one.
    if (units <= 0xFFFFFFFFu)
        putDigits(std::uint32_t(units));
    else
        putDigits(units);
    char* o = out;
    if (negative && !isZero)
        *o++ = '-';
    const std::size_t length = std::size_t(text + sizeof text - p);
    std::memcpy(o, p, length);
    return std::size_t(o - out) + length;
}

// The exact way: the value to 15 significant digits as decimal text, rounded on that text.
std::size_t writeDecimalRounded(char* out, double value, int decimals) {
    const bool negative = std::signbit(value);

    // "d.dddddddddddddde+XX": the magnitude to 15 significant digits, correctly rounded.
    char scientific[32];
    const auto result = std::to_chars(scientific, scientific + sizeof scientific, std::fabs(value),
                                      std::chars_format::scientific, kSignificantDigits - 1);
    assert(result.ec == std::errc());
    char digits[kSignificantDigits];
    digits[0] = scientific[0];
    std::memcpy(digits + 1, scientific + 2, kSignificantDigits - 1);
    const char* e = scientific + 2 + (kSignificantDigits - 1) + 1; // the exponent's sign
    int exponent = 0;
    std::from_chars(e + 1, result.ptr, exponent);
    if (*e == '-')
        exponent = -exponent;

    // The value in units of the last decimal written: its first `kept` digits, rounded on the
    // next one, with room for a carry in front.
    const int kept = exponent + 1 + decimals;
    char units[kMaxFixedPointLength];
    int count = 0;
    units[count++] = '0'; // the place of a carry
    if (kept >= kSignificantDigits) {
        std::memcpy(units + count, digits, kSignificantDigits);
        count += kSignificantDigits;
        std::memset(units + count, '0', std::size_t(kept - kSignificantDigits));
        count += kept - kSignificantDigits;
    } else if (kept >= 0) {
        std::memcpy(units + count, digits, std::size_t(kept));
        count += kept;
        if (digits[kept] >= '5') {
            int i = count - 1;
            for (; units[i] == '9'; --i)
                units[i] = '0';
            ++units[i];
        }
    }
    int first = 0;
    while (first < count && units[first] == '0')
        ++first;
    const bool isZero = first == count;
    // At least one digit before the point.
    const int digitsShown = std::max(count - first, decimals + 1);
    first = count - digitsShown;

    char* p = out;
    if (negative && !isZero)
        *p++ = '-';
    for (int i = first; i < count - decimals; ++i)
        *p++ = i < 0 ? '0' : units[i];
    if (decimals > 0) {
        *p++ = '.';
        for (int i = count - decimals; i < count; ++i)
            *p++ = i < 0 ? '0' : units[i];
    }
    return std::size_t(p - out);
}

} // namespace

std::size_t writeFixedPoint(char* out, double value, int decimals) {
    assert(std::isfinite(value) && decimals >= 0 && decimals <= kMaxFixedDecimals);
    // Most values lie far from a rounding tie: there, scaling in binary gives the same digits as
    // the decimal rounding below, at a fraction of its cost. The value to 15 digits differs
    // from the value by at most 5e-15 of it, the scaling adds one rounding more; a scaled value
    // at least 1e-13 of itself away from the tie is decided either way.
    const double scaled = std::fabs(value) * kExactPowersOfTen[decimals];
    if (scaled < 1e15) {
        // Truncation is the floor of a non-negative value, without a library call.
        const double whole = double((long long)(scaled));
        const double fromTie = scaled - whole - 0.5;
        if (std::fabs(fromTie) > scaled * 1e-13 + 1e-300)
            return writeUnits(out, std::signbit(value), (unsigned long long)(whole) + (fromTie > 0 ? 1 : 0),
                              decimals);
    }
    return writeDecimalRounded(out, value, decimals);
}

std::string fixedPointText(double value, int decimals) {
    char text[kMaxFixedPointLength];
    return std::string(text, writeFixedPoint(text, value, decimals));
}

std::string shortFixedPointText(double value, int decimals) {
    std::string text = fixedPointText(value, decimals);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    return text;
}

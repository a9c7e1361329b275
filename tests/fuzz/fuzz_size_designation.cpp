// Designation parsing: whatever the text, SplitDimensions either gives its numbers or throws one
// of its two data errors, for exactly the texts that lack a size character or a separator; the
// fast leadingNumber gives the very double that the C library reads from the same digits; and the
// weight check takes any designation without throwing and words what it finds.
#include "FuzzSupport.h"
#include "coefficients/DataError.h"
#include "coefficients/LeadingNumber.h"
#include "coefficients/SizeDesignation.h"
#include "coefficients/WeightCheck.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

bool isSizeCharacter(char16_t c) {
    return c == u'.' || (c >= u'0' && c <= u'9');
}

// The leading-number rule written plainly: blanks skipped anywhere, one sign before the digits,
// digits and one point; read by strtod, which rounds correctly.
double referenceLeadingNumber(std::u16string_view text) {
    std::string number;
    bool signAllowed = true;
    bool pointSeen = false;
    bool digitSeen = false;
    for (const char16_t c : text) {
        if (c == u' ' || c == u'\t' || c == u'\n')
            continue;
        if (signAllowed && (c == u'+' || c == u'-')) {
            signAllowed = false;
            number.push_back(char(c));
            continue;
        }
        signAllowed = false;
        if (c >= u'0' && c <= u'9') {
            digitSeen = true;
            number.push_back(char(c));
        } else if (c == u'.' && !pointSeen) {
            pointSeen = true;
            number.push_back('.');
        } else {
            break;
        }
    }
    if (!digitSeen)
        return 0.0;
    return std::strtod(number.c_str(), nullptr);
}

void checkLeadingNumber(std::u16string_view text) {
    const double value = leadingNumber(text);
    const double expected = referenceLeadingNumber(text);
    check(!std::isnan(value));
    // Below the smallest normal double the reader may give 0 instead of the subnormal value.
    if (std::fabs(expected) < DBL_MIN)
        check(value == 0.0 || value == expected);
    else
        check(value == expected);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const int count = data[0] % 5;
    const bool utf16 = (data[0] & 0x80) != 0;
    ++data;
    --size;
    const std::u16string text = fuzzText(data, size, utf16);

    checkLeadingNumber(text);

    std::size_t first = 0;
    while (first < text.size() && !isSizeCharacter(text[first]))
        ++first;
    const bool hasSize = first < text.size();
    const std::u16string_view fromSize =
        hasSize ? std::u16string_view(text).substr(first) : std::u16string_view();
    const auto separators = std::count(fromSize.begin(), fromSize.end(), u'x');

    std::u16string stripped = text;
    try {
        StripSizePrefix(stripped);
        check(hasSize && stripped == fromSize);
    } catch (const DataError& error) {
        check(!hasSize && error.message == kMissingSizeMessage && stripped == text);
    }

    try {
        const Dimensions d = SplitDimensions(text, count);
        check(hasSize && (count < 2 || separators >= count - 1));
        for (int j = count; j < 4; ++j)
            check(d.value[std::size_t(j)] == 0.0);
        for (double v : d.value)
            check(!std::isnan(v));
        if (count >= 1) {
            const std::size_t x = fromSize.find(u'x');
            check(d.value[0] == leadingNumber(count == 1 || x == std::u16string_view::npos
                                                  ? fromSize
                                                  : fromSize.substr(0, x)));
        }
    } catch (const DataError& error) {
        if (!hasSize)
            check(error.message == kMissingSizeMessage);
        else
            check(count >= 2 && separators < count - 1 && error.message == kMissingSeparatorMessage);
    }
    if (const std::optional<WeightFinding> finding = checkMemberWeight(text, 1.0))
        check(!weightFindingText(*finding).empty() && std::isfinite(finding->computed));
    return 0;
}

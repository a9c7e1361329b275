#include "CatalogueLines.h"

#include "FixedPointText.h"
#include "base/Text.h"

#include <algorithm>
#include <utility>

namespace {

// How many UTF-16 units make up the first `width` characters of `text` (or all of it), and how
// many characters that is.
std::pair<std::size_t, std::size_t> unitsOfCharacters(std::u16string_view text, std::size_t width) {
    // Without a high surrogate among them (catalogues hardly hold any), units are characters.
    const std::size_t prefix = std::min(text.size(), width);
    if (std::none_of(text.begin(), text.begin() + prefix, isHighSurrogate))
        return {prefix, prefix};
    std::size_t characters = 0;
    std::size_t units = 0;
    while (units < text.size() && characters < width) {
        const bool pair =
            isHighSurrogate(text[units]) && units + 1 < text.size() && isLowSurrogate(text[units + 1]);
        units += pair ? 2 : 1;
        ++characters;
    }
    return {units, characters};
}

char16_t* put(char16_t* out, std::u16string_view text) {
    std::copy(text.begin(), text.end(), out);
    return out + text.size();
}

char16_t* putBlanks(char16_t* out, std::size_t count) {
    return std::fill_n(out, count, u' ');
}

char16_t* putNumberField(char16_t* out, const char* text, std::size_t length) {
    out = putBlanks(out, length < kNumberFieldWidth ? kNumberFieldWidth - length : 0);
    return std::copy(text, text + length, out);
}

} // namespace

void formatGroupHeaderLine(std::u16string& line, std::u16string_view name, std::int16_t kind,
                           std::int16_t shape) {
    line.clear();
    line += u'"';
    line += name;
    line += u"\",";
    line += decimalText(kind);
    line += u',';
    line += decimalText(shape);
}

void formatMemberLine(std::u16string& line, std::u16string_view designation, std::u16string_view remark,
                      double weight, double coefficient) {
    // Every piece's length is known before, so the line is written in place in one go.
    const auto [designationUnits, designationCharacters] = unitsOfCharacters(designation, kDesignationWidth);
    char weightText[kMaxFixedPointLength];
    const std::size_t weightLength = writeFixedPoint(weightText, weight, kWeightDecimals);
    char coefficientText[kMaxFixedPointLength];
    const std::size_t coefficientLength = writeFixedPoint(coefficientText, coefficient, kCoefficientDecimals);
    const std::size_t size = 1 + designationUnits + (kDesignationWidth - designationCharacters) + 3 +
                             remark.size() + 2 + std::max(weightLength, kNumberFieldWidth) + 1 +
                             std::max(coefficientLength, kNumberFieldWidth);
    line.resize(size);
    char16_t* p = line.data();
    *p++ = u'"';
    p = put(p, designation.substr(0, designationUnits));
    p = putBlanks(p, kDesignationWidth - designationCharacters);
    p = put(p, u"\",\"");
    p = put(p, remark);
    p = put(p, u"\",");
    p = putNumberField(p, weightText, weightLength);
    *p++ = u',';
    p = putNumberField(p, coefficientText, coefficientLength);
}

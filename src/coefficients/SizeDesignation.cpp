#include "SizeDesignation.h"

#include "DataError.h"
#include "LeadingNumber.h"

namespace {

bool isSizeCharacter(char16_t c) {
    return c == u'.' || (c >= u'0' && c <= u'9');
}

} // namespace

std::optional<std::u16string_view> sizePrefix(std::u16string_view designation) {
    for (std::size_t i = 0; i < designation.size(); ++i) {
        if (isSizeCharacter(designation[i]))
            return designation.substr(0, i);
    }
    return std::nullopt;
}

std::u16string_view withoutSizePrefix(std::u16string_view designation) {
    const std::optional<std::u16string_view> prefix = sizePrefix(designation);
    if (!prefix)
        throw DataError{std::u16string(kMissingSizeMessage)};
    return designation.substr(prefix->size());
}

void StripSizePrefix(std::u16string& designation) {
    const std::size_t removed = designation.size() - withoutSizePrefix(designation).size();
    if (removed > 0)
        designation.erase(0, removed);
}

std::size_t FindDimensionSeparator(std::u16string_view text) {
    const std::size_t index = text.find(u'x');
    if (index == std::u16string_view::npos)
        throw DataError{std::u16string(kMissingSeparatorMessage)};
    return index + 1;
}

Dimensions SplitDimensions(std::u16string_view designation, int count) {
    Dimensions d;
    std::u16string_view s = withoutSizePrefix(designation);
    if (count == 0)
        return d;
    if (count == 1) {
        d.value[0] = leadingNumber(s);
        return d;
    }
    std::size_t p = FindDimensionSeparator(s);
    d.value[0] = leadingNumber(s);
    s = s.substr(p);
    for (int j = 2; j < count; ++j) {
        p = FindDimensionSeparator(s);
        d.value[std::size_t(j - 1)] = leadingNumber(s.substr(0, p - 1));
        s = s.substr(p);
    }
    d.value[std::size_t(count - 1)] = leadingNumber(s);
    return d;
}

std::optional<Dimensions> dimensionsIfWellFormed(std::u16string_view designation, int count) {
    try {
        return SplitDimensions(designation, count);
    } catch (const DataError&) {
        return std::nullopt;
    }
}

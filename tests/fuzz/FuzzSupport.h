#pragma once

#include "base/Text.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

// A harness's assertion: any violated property is a finding.
inline void check(bool condition) {
    if (!condition)
        std::abort();
}

// The text of the input bytes: as raw UTF-16 units (lone surrogates included) or as UTF-8.
inline std::u16string fuzzText(const std::uint8_t* data, std::size_t size, bool utf16) {
    if (!utf16)
        return fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    std::u16string text(size / 2, u'\0');
    std::memcpy(text.data(), data, (size / 2) * 2);
    return text;
}

#pragma once

// Windows' wide characters are UTF-16 code units, as the core's text is: between the two there is
// nothing to convert, only the character type to change, and that happens here and nowhere else.
// Only where wchar_t has 16 bits, so for Windows builds alone.
#ifdef _WIN32

#include <cstddef>
#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the wide API's characters are UTF-16 units");

// `text` for the wide API, terminated like the string itself.
inline const wchar_t* wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}
// The same for an API that writes into the string.
inline wchar_t* wide(std::u16string& text) {
    return reinterpret_cast<wchar_t*>(text.data());
}
// The units of a view, without a terminator: for calls that take a length.
inline const wchar_t* wide(std::u16string_view text) {
    return reinterpret_cast<const wchar_t*>(text.data());
}

// A wide text from the system as the core's text: up to its terminator, or `length` units.
inline std::u16string coreText(const wchar_t* text) {
    return reinterpret_cast<const char16_t*>(text);
}
inline std::u16string coreText(const wchar_t* text, std::size_t length) {
    return {reinterpret_cast<const char16_t*>(text), length};
}

#endif

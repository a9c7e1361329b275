#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

// Text in the core is UTF-16, as the catalogue's strings, Windows' wide API and Qt's strings are:
// lengths count UTF-16 units there as here. These are the few operations on it that the standard
// library does not offer.

// UTF-8 <-> UTF-16. Bytes that are not UTF-8 read as U+FFFD (and make `*valid` false); a lone
// surrogate is written as U+FFFD's bytes.
std::u16string fromUtf8(std::string_view bytes, bool* valid = nullptr);
std::string toUtf8(std::u16string_view text);

// The decimal digits of `value`, with "-" before a negative one.
std::u16string decimalText(std::int64_t value);

// `pattern` with %1 to %9 replaced by the arguments in order; "%" before anything else stays.
std::u16string formatText(std::u16string_view pattern, std::initializer_list<std::u16string_view> arguments);

// `text` without the spaces at both ends; tabs there stay.
std::u16string_view trimSpaces(std::u16string_view text);
// `text` without the spaces and tabs at both ends.
std::u16string_view trimSpacesAndTabs(std::u16string_view text);

// Inline: the line formatter asks for every character.
inline bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
inline bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}
// True when `text` holds half of a surrogate pair without its other half.
bool hasLoneSurrogate(std::u16string_view text);
// Appends `c` as one unit or a surrogate pair.
void appendCodePoint(std::u16string& out, char32_t c);

// `text` in upper case by the platform's Unicode tables (ICU on Linux, the system's on Windows).
std::u16string upperCase(std::u16string_view text);
// True for a capital letter that has a small form, by the same tables.
bool isCapitalLetter(char32_t c);

// A path as the user reads it in a message or a caption. Paths themselves stay as the system gives
// them (bytes on Linux, UTF-16 on Windows); only their display goes through this.
std::u16string pathText(const std::filesystem::path& path);
// The path that a text names (the inverse of pathText for every path that is valid text).
std::filesystem::path textPath(std::u16string_view text);

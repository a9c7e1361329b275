#pragma once

#include <string>
#include <string_view>

// Code page 932 <-> UTF-16, as Windows defines the code page.
//
// The byte structure is fixed here for every platform: bytes 0x00 to 0x7F are single characters
// that map to themselves, 0x80 is U+0080, 0x81-0x9F and 0xE0-0xFC lead a two-byte character when
// a trail byte (0x40-0x7E or 0x80-0xFC) follows, and every other byte is a one-byte unit. What a
// non-ASCII unit means comes from the platform's converter: ICU's "windows-31j" on Linux,
// MultiByteToWideChar / WideCharToMultiByte with code page 932 on Windows.
namespace CodePage932 {

// Appends the characters of `bytes` to `out`. A unit the code page does not define becomes one
// U+FFFD. Returns false when there was such a unit.
bool decode(std::string_view bytes, std::u16string& out);

// Appends the bytes of `text` to `out`. Returns false, with `out` in an unspecified state, when a
// character (or a lone surrogate) has no bytes in the code page; no best-fit replacement is made.
bool encode(std::u16string_view text, std::string& out);

// The platform's own converter, for runs that hold no byte or character below 0x80 and no 0x80 /
// U+0080: all or nothing, false when any unit is not in the code page. Only decode() and
// encode() call these.
namespace Native {
bool decodeRun(std::string_view bytes, std::u16string& out);
bool encodeRun(std::u16string_view text, std::string& out);
} // namespace Native

} // namespace CodePage932

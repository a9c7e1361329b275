// Writes what CodePage932 makes of every one- and two-byte sequence and of every character of the
// BMP (and a few beyond), one line each, so that two builds' converters can be compared byte for
// byte.
// Usage: cp932_table OUTPUT_FILE
#include "base/CodePage932.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

// "decode 82 A0 -> 3042" or "encode 3042 -> 82 A0", with "invalid" for what does not convert.
template <typename From, typename To>
void appendLine(std::string& text, const char* what, const From& from, bool (*convert)(From, To&)) {
    const auto hex = [&text](const auto& units) {
        for (const auto unit : units) {
            char digits[8];
            std::snprintf(digits, sizeof digits, " %0*X", int(2 * sizeof unit),
                          unsigned(std::make_unsigned_t<decltype(unit)>(unit)));
            text += digits;
        }
    };
    text += what;
    hex(from);
    text += " ->";
    To to;
    if (convert(from, to))
        hex(to);
    else
        text += " invalid";
    text += '\n';
}

} // namespace

// A file that cannot be written shows as a difference from the other build's table.
int main(int, char** argv) {
    std::string text;
    for (unsigned first = 0; first <= 0xFF; ++first) {
        const char bytes[] = {char(first)};
        appendLine(text, "decode", std::string_view(bytes, 1), CodePage932::decode);
    }
    for (unsigned first = 0; first <= 0xFF; ++first) {
        for (unsigned second = 0; second <= 0xFF; ++second) {
            const char bytes[] = {char(first), char(second)};
            appendLine(text, "decode", std::string_view(bytes, 2), CodePage932::decode);
        }
    }
    for (unsigned c = 0; c <= 0xFFFF; ++c) {
        const char16_t unit = char16_t(c);
        appendLine(text, "encode", std::u16string_view(&unit, 1), CodePage932::encode);
    }
    // Surrogate pairs (U+10000, U+20B9F, U+1F600, U+10FFFF) and a pair in the wrong order.
    for (std::u16string_view pair :
         {u"\xD800\xDC00", u"\xD842\xDF9F", u"\xD83D\xDE00", u"\xDBFF\xDFFF", u"\xDC00\xD800"})
        appendLine(text, "encode", pair, CodePage932::encode);
    std::ofstream(argv[1], std::ios::binary) << text;
    return 0;
}

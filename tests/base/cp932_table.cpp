// Writes what CodePage932 makes of every one- and two-byte sequence and of every character of the
// BMP (and a few beyond), one line each, so that two builds' converters can be compared byte for
// byte.
// Usage: cp932_table OUTPUT_FILE
#include "base/CodePage932.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

namespace {

void appendHex(std::string& text, unsigned value, int digits) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, " %0*X", digits, value);
    text += buffer;
}

void appendDecodeLine(std::string& text, std::string_view bytes) {
    text += "decode";
    for (char b : bytes)
        appendHex(text, static_cast<unsigned char>(b), 2);
    text += " ->";
    std::u16string chars;
    if (CodePage932::decode(bytes, chars)) {
        for (char16_t c : chars)
            appendHex(text, c, 4);
    } else {
        text += " invalid";
    }
    text += '\n';
}

void appendEncodeLine(std::string& text, std::u16string_view chars) {
    text += "encode";
    for (char16_t c : chars)
        appendHex(text, c, 4);
    text += " ->";
    std::string bytes;
    if (CodePage932::encode(chars, bytes)) {
        for (char b : bytes)
            appendHex(text, static_cast<unsigned char>(b), 2);
    } else {
        text += " invalid";
    }
    text += '\n';
}

std::string table() {
    std::string text;
    for (unsigned first = 0; first <= 0xFF; ++first)
        appendDecodeLine(text, std::string(1, static_cast<char>(first)));
    for (unsigned first = 0; first <= 0xFF; ++first) {
        for (unsigned second = 0; second <= 0xFF; ++second) {
            const char bytes[] = {static_cast<char>(first), static_cast<char>(second)};
            appendDecodeLine(text, std::string_view(bytes, 2));
        }
    }
    for (unsigned c = 0; c <= 0xFFFF; ++c)
        appendEncodeLine(text, std::u16string(1, static_cast<char16_t>(c)));
    // Surrogate pairs (U+10000, U+20B9F, U+1F600, U+10FFFF) and a pair in the wrong order.
    for (std::u16string_view pair :
         {u"\xD800\xDC00", u"\xD842\xDF9F", u"\xD83D\xDE00", u"\xDBFF\xDFFF", u"\xDC00\xD800"})
        appendEncodeLine(text, pair);
    return text;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: cp932_table OUTPUT_FILE\n";
        return 2;
    }
    std::ofstream file(argv[1], std::ios::binary);
    file << table();
    file.close();
    if (!file) {
        std::cerr << "cp932_table: cannot write " << argv[1] << '\n';
        return 2;
    }
    return 0;
}

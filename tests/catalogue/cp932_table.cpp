// Writes what CodePage932 makes of every one- and two-byte sequence and of every character of the
// BMP (and a few beyond), one line each, so that two builds' converters can be compared byte for
// byte; or compares its table with such a file and lists the lines that differ.
// Usage: cp932_table OUTPUT_FILE
//        cp932_table --compare EXPECTED_FILE
#include "catalogue/CodePage932.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

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

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

int compareWith(const char* path, const std::string& ours) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::cerr << "cp932_table: cannot read " << path << '\n';
        return 2;
    }
    const std::string theirs{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (theirs == ours)
        return 0;
    const std::vector<std::string> expected = linesOf(theirs);
    const std::vector<std::string> actual = linesOf(ours);
    std::size_t differing = 0;
    for (std::size_t i = 0; i < std::max(expected.size(), actual.size()); ++i) {
        const std::string none = "(no line)";
        const std::string& want = i < expected.size() ? expected[i] : none;
        const std::string& got = i < actual.size() ? actual[i] : none;
        if (want == got)
            continue;
        if (++differing <= 20)
            std::cout << "line " << i + 1 << ": expected " << want << "\n"
                      << std::string(8, ' ') << "got      " << got << '\n';
    }
    std::cout << differing << " lines differ from " << path << '\n';
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string_view(argv[1]) == "--compare")
        return compareWith(argv[2], table());
    if (argc != 2) {
        std::cerr << "usage: cp932_table OUTPUT_FILE | cp932_table --compare EXPECTED_FILE\n";
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

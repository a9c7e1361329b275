#include "Text.h"

#include <charconv>

namespace {

constexpr char16_t kReplacement = u'\uFFFD';

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (c >> 18)));
        out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

// The length of the well-formed UTF-8 sequence at bytes[i] and its code point; 0 when there is none.
std::size_t utf8Sequence(std::string_view bytes, std::size_t i, char32_t& c) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char b = byte(i);
    std::size_t length;
    char32_t min;
    if (b < 0x80) {
        c = b;
        return 1;
    } else if (b >= 0xC2 && b <= 0xDF) {
        length = 2, c = b & 0x1F, min = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3, c = b & 0x0F, min = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4, c = b & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return length;
}

std::u16string_view trimmed(std::u16string_view text, std::u16string_view blanks) {
    const std::size_t begin = text.find_first_not_of(blanks);
    if (begin == std::u16string_view::npos)
        return {};
    return text.substr(begin, text.find_last_not_of(blanks) - begin + 1);
}

} // namespace

void appendCodePoint(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out.push_back(char16_t(c));
    } else {
        c -= 0x10000;
        out.push_back(char16_t(0xD800 + (c >> 10)));
        out.push_back(char16_t(0xDC00 + (c & 0x3FF)));
    }
}

bool hasLoneSurrogate(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1]))
            ++i;
        else if (isHighSurrogate(text[i]) || isLowSurrogate(text[i]))
            return true;
    }
    return false;
}

std::u16string fromUtf8(std::string_view bytes, bool* valid) {
    std::u16string out;
    out.reserve(bytes.size());
    bool ok = true;
    for (std::size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            out.push_back(char16_t(bytes[i++]));
            continue;
        }
        char32_t c = 0;
        const std::size_t length = utf8Sequence(bytes, i, c);
        if (length == 0) {
            out.push_back(kReplacement);
            ok = false;
            ++i;
            continue;
        }
        appendCodePoint(out, c);
        i += length;
    }
    if (valid)
        *valid = ok;
    return out;
}

std::string toUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (isHighSurrogate(text[i]) || isLowSurrogate(text[i])) {
            c = kReplacement;
        }
        appendUtf8(out, c);
    }
    return out;
}

std::u16string decimalText(std::int64_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    return std::u16string(digits, result.ptr);
}

std::u16string formatText(std::u16string_view pattern, std::initializer_list<std::u16string_view> arguments) {
    std::u16string out;
    out.reserve(pattern.size() + 32);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == u'%' && i + 1 < pattern.size() && pattern[i + 1] >= u'1' &&
            pattern[i + 1] <= u'9') {
            const std::size_t index = std::size_t(pattern[i + 1] - u'1');
            if (index < arguments.size()) {
                out += arguments.begin()[index];
                ++i;
                continue;
            }
        }
        out.push_back(pattern[i]);
    }
    return out;
}

std::u16string_view trimSpaces(std::u16string_view text) {
    return trimmed(text, u" ");
}

std::u16string_view trimSpacesAndTabs(std::u16string_view text) {
    return trimmed(text, u" \t");
}

std::u16string pathText(const std::filesystem::path& path) {
#ifdef _WIN32
    const std::wstring& native = path.native();
    return std::u16string(native.begin(), native.end());
#else
    return fromUtf8(path.native());
#endif
}

std::filesystem::path textPath(std::u16string_view text) {
#ifdef _WIN32
    return std::filesystem::path(std::wstring(text.begin(), text.end()));
#else
    return std::filesystem::path(toUtf8(text));
#endif
}

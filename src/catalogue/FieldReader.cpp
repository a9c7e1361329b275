#include "FieldReader.h"

#include "Text.h"
#include "TextLineReader.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

bool isBlankLine(std::u16string_view line) {
    return std::all_of(line.begin(), line.end(), isBlank);
}

std::u16string_view trimBlanks(std::u16string_view text) {
    const std::size_t begin = text.find_first_not_of(u" \t");
    if (begin == std::u16string_view::npos)
        return {};
    return text.substr(begin, text.find_last_not_of(u" \t") - begin + 1);
}

// Catalogue numbers are short plain decimals such as "17.2000". Up to 15 digits form an integer
// that a double holds exactly, and so does the power of ten that scales it; one division of the
// two is then correctly rounded, the very result that std::from_chars gives, only faster.
std::optional<double> parseShortDecimal(const char* first, const char* last) {
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    std::int64_t mantissa = 0;
    int digits = 0;
    int decimals = -1; // -1: no point seen yet
    for (const char* p = first; p != last; ++p) {
        if (*p >= '0' && *p <= '9') {
            if (++digits > 15)
                return std::nullopt;
            mantissa = mantissa * 10 + (*p - '0');
            if (decimals >= 0)
                ++decimals;
        } else if (*p == '.' && decimals < 0) {
            decimals = 0;
        } else {
            return std::nullopt; // exponents and everything else take the general path
        }
    }
    if (digits == 0)
        return std::nullopt;
    return double(mantissa) / kPowersOfTen[std::max(decimals, 0)];
}

} // namespace

std::optional<double> parseDecimalField(std::u16string_view text) {
    text = trimBlanks(text);
    if (text.empty())
        return 0.0;
    // std::from_chars is locale-independent but also takes "inf" and "nan", and no "+": both are
    // handled here so that only plain decimal numbers (with an optional exponent) pass.
    char buffer[64];
    if (text.size() >= sizeof buffer)
        return std::nullopt;
    std::size_t n = 0;
    for (const char16_t c : text) {
        if (c > 0x7f)
            return std::nullopt;
        buffer[n++] = char(c);
    }
    const char* first = buffer;
    const char* last = buffer + n;
    bool negative = false;
    if (*first == '+' || *first == '-') {
        negative = *first == '-';
        ++first;
    }
    if (first == last || !((*first >= '0' && *first <= '9') || *first == '.'))
        return std::nullopt;
    if (const std::optional<double> simple = parseShortDecimal(first, last))
        return negative ? -*simple : *simple;
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

FieldReader::FieldReader(TextLineReader& lines) : m_lines(lines) {}

void FieldReader::report(std::int64_t line, const std::u16string& text) const {
    if (m_onProblem)
        m_onProblem(line, text);
}

bool FieldReader::ensureLine() {
    if (m_haveLine)
        return true;
    if (!m_lines.readLine(m_line))
        return false;
    m_pos = 0;
    m_haveLine = true;
    if (m_lines.lastLineHadBadBytes()) {
        if (m_onBadBytes)
            m_onBadBytes(m_lines.lineNumber());
        else
            report(m_lines.lineNumber(), m_lines.encoding() == TextLineReader::Encoding::Utf8
                                             ? u"UTF-8 として読めないバイトがあります。"
                                             : u"コードページ 932 として読めないバイトがあります。");
    }
    return true;
}

std::optional<std::u16string> FieldReader::readWholeLine() {
    if (!ensureLine())
        return std::nullopt;
    m_fieldLine = m_lines.lineNumber();
    m_haveLine = false;
    return m_line.substr(m_pos);
}

std::optional<std::u16string_view> FieldReader::readText() {
    if (!ensureLine())
        return std::nullopt;
    m_fieldLine = m_lines.lineNumber();
    const std::u16string_view line(m_line);
    std::size_t pos = m_pos;
    while (pos < line.size() && isBlank(line[pos]))
        ++pos;

    std::u16string_view value;
    std::size_t comma;
    if (pos < line.size() && line[pos] == u'"') {
        const std::size_t close = line.find(u'"', pos + 1);
        if (close == std::u16string_view::npos) {
            report(m_fieldLine, u"引用符 \" が閉じていません。行末までを値として読みます。");
            value = line.substr(pos + 1);
            comma = std::u16string_view::npos;
        } else {
            value = line.substr(pos + 1, close - pos - 1);
            comma = line.find(u',', close + 1); // anything before the comma is dropped
        }
    } else {
        comma = line.find(u',', pos);
        std::size_t last = comma == std::u16string_view::npos ? line.size() : comma;
        while (last > pos && line[last - 1] == u' ')
            --last;
        value = line.substr(pos, last - pos);
    }
    if (comma == std::u16string_view::npos)
        m_haveLine = false; // the line end ends the field; m_line stays valid until the next read
    else
        m_pos = comma + 1;
    return value;
}

std::optional<double> FieldReader::readNumber() {
    const std::optional<std::u16string_view> field = readText();
    if (!field)
        return std::nullopt;
    if (const std::optional<double> value = parseDecimalField(*field))
        return value;
    report(m_fieldLine, formatText(u"数値ではありません（\"%1\"）。0 として読みます。", {*field}));
    return 0.0;
}

std::optional<std::int16_t> FieldReader::readInteger() {
    const std::optional<std::u16string_view> text = readText();
    if (!text)
        return std::nullopt;
    if (const std::optional<double> value = parseDecimalField(*text)) {
        const double rounded = std::nearbyint(*value); // the default rounding mode: half to even
        if (rounded >= -32768.0 && rounded <= 32767.0)
            return static_cast<std::int16_t>(rounded);
    }
    report(m_fieldLine,
           formatText(u"-32768 から 32767 までの整数ではありません（\"%1\"）。0 として読みます。", {*text}));
    return std::int16_t(0);
}

void FieldReader::skipBlankLines() {
    while (ensureLine()) {
        if (m_pos != 0 || !isBlankLine(m_line))
            return;
        report(m_lines.lineNumber(), u"空行があります。読み飛ばします。");
        m_haveLine = false;
    }
}

bool FieldReader::atEnd() {
    return !m_haveLine && m_lines.atEnd();
}

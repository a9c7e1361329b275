#include "FieldReader.h"

#include "base/PowersOfTen.h"
#include "base/Text.h"
#include "base/TextLineReader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

namespace {

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

bool isBlankLine(std::u16string_view line) {
    return std::all_of(line.begin(), line.end(), isBlank);
}

// Catalogue numbers are short plain decimals such as "17.2000". Up to 15 digits form an integer
// that a double holds exactly, and so does the power of ten that scales it; one division of the
// two is then correctly rounded, the very result that std::from_chars gives, only faster.
// Reads digits and one point from `first` on: the value, when there was a digit and at most 15
// of them, and where the reading stopped (at `last` or at the first other character).
template <typename Char>
std::pair<std::optional<double>, const Char*> readShortDecimal(const Char* first, const Char* last) {
    std::uint64_t mantissa = 0; // wraps past 19 digits, which the count refuses
    int digits = 0;
    const Char* point = nullptr;
    const Char* p = first;
    for (; p != last; ++p) {
        const unsigned digit = unsigned(*p) - unsigned('0');
        if (digit < 10) {
            mantissa = mantissa * 10 + digit;
            ++digits;
        } else if (*p == '.' && !point) {
            point = p;
        } else {
            break;
        }
    }
    if (digits == 0 || digits > 15)
        return {std::nullopt, p};
    return {double(mantissa) / kExactPowersOfTen[point ? p - point - 1 : 0], p};
}

// The whole of [first, last) as a short decimal; exponents and everything else take the general
// path.
template <typename Char> std::optional<double> parseShortDecimal(const Char* first, const Char* last) {
    const auto [value, stop] = readShortDecimal(first, last);
    return stop == last ? value : std::nullopt;
}

} // namespace

std::optional<double> parseDecimalField(std::u16string_view text) {
    // The common field, a plain decimal with nothing around it, is read where it stands; the
    // result is the one the general path below gives it.
    const char16_t* begin = text.data();
    const bool hasSign = !text.empty() && (text[0] == u'+' || text[0] == u'-');
    if (const std::optional<double> plain = parseShortDecimal(begin + (hasSign ? 1 : 0), begin + text.size()))
        return hasSign && text[0] == u'-' ? -*plain : *plain;
    text = trimSpacesAndTabs(text);
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
    if (!m_haveLine && !ensureLine())
        return std::nullopt;
    m_fieldLine = m_lines.lineNumber();
    // Pointers into the line: this runs for every field of the file.
    const char16_t* const begin = m_line.data();
    const char16_t* const end = begin + m_line.size();
    const char16_t* p = begin + m_pos;
    while (p != end && isBlank(*p))
        ++p;

    std::u16string_view value;
    const char16_t* comma = end; // the line end ends the field
    if (p != end && *p == u'"') {
        const char16_t* const close = std::find(p + 1, end, u'"');
        if (close == end) {
            report(m_fieldLine, u"引用符 \" が閉じていません。行末までを値として読みます。");
            value = std::u16string_view(p + 1, std::size_t(end - p - 1));
        } else {
            value = std::u16string_view(p + 1, std::size_t(close - p - 1));
            comma = std::find(close + 1, end, u','); // anything before the comma is dropped
        }
    } else {
        // To the comma, then back over the spaces before it.
        comma = std::find(p, end, u',');
        const char16_t* last = comma;
        while (last != p && last[-1] == u' ')
            --last;
        value = std::u16string_view(p, std::size_t(last - p));
    }
    if (comma == end)
        m_haveLine = false; // the line end ends the field; m_line stays valid until the next read
    else
        m_pos = std::size_t(comma - begin) + 1;
    return value;
}

std::optional<double> FieldReader::readNumber() {
    if (!m_haveLine && !ensureLine())
        return std::nullopt;
    // The common field, a plain decimal after any blanks, up to the comma or the line end, is read
    // in the pass that finds its end; readText and parseDecimalField would give it the same value.
    const char16_t* const begin = m_line.data();
    const char16_t* const end = begin + m_line.size();
    const char16_t* p = begin + m_pos;
    while (p != end && isBlank(*p))
        ++p;
    if (const auto [value, stop] = readShortDecimal(p, end); value && (stop == end || *stop == u',')) {
        m_fieldLine = m_lines.lineNumber();
        if (stop == end)
            m_haveLine = false;
        else
            m_pos = std::size_t(stop - begin) + 1;
        return value;
    }
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

#include "FieldReader.h"

#include "TextLineReader.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

bool isBlankLine(QStringView line) {
    for (QChar c : line) {
        if (!isBlank(c))
            return false;
    }
    return true;
}

QStringView trimBlanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
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

std::optional<double> parseDecimalField(QStringView text) {
    text = trimBlanks(text);
    if (text.isEmpty())
        return 0.0;
    // std::from_chars is locale-independent but also takes "inf" and "nan", and no "+": both are
    // handled here so that only plain decimal numbers (with an optional exponent) pass.
    char buffer[64];
    if (text.size() >= qsizetype(sizeof buffer))
        return std::nullopt;
    qsizetype n = 0;
    for (QChar c : text) {
        if (c.unicode() > 0x7f)
            return std::nullopt;
        buffer[n++] = char(c.unicode());
    }
    const char* first = buffer;
    const char* last = buffer + n;
    bool negative = false;
    if (*first == '+' || *first == '-') {
        negative = *first == '-';
        ++first;
    }
    if (first == last || !(std::isdigit(static_cast<unsigned char>(*first)) || *first == '.'))
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

void FieldReader::report(qint64 line, const QString& text) const {
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
            report(m_lines.lineNumber(), QStringLiteral("コードページ 932 として読めないバイトがあります。"));
    }
    return true;
}

std::optional<QString> FieldReader::readWholeLine() {
    if (!ensureLine())
        return std::nullopt;
    m_fieldLine = m_lines.lineNumber();
    m_haveLine = false;
    return m_pos == 0 ? m_line : m_line.mid(m_pos);
}

std::optional<QStringView> FieldReader::readTextView() {
    if (!ensureLine())
        return std::nullopt;
    m_fieldLine = m_lines.lineNumber();
    const QStringView line(m_line);
    qsizetype pos = m_pos;
    while (pos < line.size() && isBlank(line[pos]))
        ++pos;

    QStringView value;
    qsizetype comma;
    if (pos < line.size() && line[pos] == u'"') {
        const qsizetype close = line.indexOf(u'"', pos + 1);
        if (close < 0) {
            report(m_fieldLine, QStringLiteral("引用符 \" が閉じていません。行末までを値として読みます。"));
            value = line.mid(pos + 1);
            comma = -1;
        } else {
            value = line.mid(pos + 1, close - pos - 1);
            comma = line.indexOf(u',', close + 1); // anything before the comma is dropped
        }
    } else {
        comma = line.indexOf(u',', pos);
        qsizetype last = comma < 0 ? line.size() : comma;
        while (last > pos && line[last - 1] == u' ')
            --last;
        value = line.mid(pos, last - pos);
    }
    if (comma < 0)
        m_haveLine = false; // the line end ends the field; m_line stays valid until the next read
    else
        m_pos = comma + 1;
    return value;
}

std::optional<QString> FieldReader::readText() {
    const std::optional<QStringView> field = readTextView();
    return field ? std::optional<QString>(field->toString()) : std::nullopt;
}

bool FieldReader::readText(QString& value) {
    const std::optional<QStringView> field = readTextView();
    if (!field)
        return false;
    value.resize(0); // keeps the capacity
    value.append(*field);
    return true;
}

std::optional<double> FieldReader::readNumber() {
    const std::optional<QStringView> field = readTextView();
    if (!field)
        return std::nullopt;
    if (const std::optional<double> value = parseDecimalField(*field))
        return value;
    report(m_fieldLine, QStringLiteral("数値ではありません（\"%1\"）。0 として読みます。").arg(*field));
    return 0.0;
}

std::optional<qint16> FieldReader::readInteger() {
    const std::optional<QStringView> text = readTextView();
    if (!text)
        return std::nullopt;
    const std::optional<double> value = parseDecimalField(*text);
    if (value) {
        const double rounded = std::nearbyint(*value); // the default rounding mode: half to even
        if (rounded >= -32768.0 && rounded <= 32767.0)
            return static_cast<qint16>(rounded);
    }
    report(m_fieldLine,
           QStringLiteral("-32768 から 32767 までの整数ではありません（\"%1\"）。0 として読みます。")
               .arg(*text));
    return qint16(0);
}

void FieldReader::skipBlankLines() {
    while (ensureLine()) {
        if (m_pos != 0 || !isBlankLine(m_line))
            return;
        report(m_lines.lineNumber(), QStringLiteral("空行があります。読み飛ばします。"));
        m_haveLine = false;
    }
}

bool FieldReader::atEnd() {
    return !m_haveLine && m_lines.atEnd();
}

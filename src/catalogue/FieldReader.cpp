#include "FieldReader.h"

#include "TextLineReader.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isBlankLine(QStringView line)
{
    for (QChar c : line) {
        if (!isBlank(c))
            return false;
    }
    return true;
}

QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

// A plain decimal of few digits ("-12.5"), which the one division below reads exactly as
// from_chars would, only faster: std::nullopt for anything else, which takes the general way.
std::optional<double> parseShortDecimal(QStringView text)
{
    constexpr double kExactPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8,
                                            1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    qsizetype i = 0;
    const bool negative = text[0] == u'-';
    if (negative || text[0] == u'+')
        ++i;
    long long mantissa = 0;
    int digits = 0;
    int fractionDigits = -1; // -1 until the point
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= u'0' && c <= u'9') {
            mantissa = mantissa * 10 + (c - u'0');
            if (++digits > 15)
                return std::nullopt;
            if (fractionDigits >= 0)
                ++fractionDigits;
        } else if (c == u'.' && fractionDigits < 0) {
            fractionDigits = 0;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    // Both operands are exact doubles, so the quotient is correctly rounded.
    const double whole = double(mantissa);
    const double value = fractionDigits <= 0 ? whole : whole / kExactPowersOfTen[fractionDigits];
    return negative ? -value : value;
}

} // namespace

std::optional<double> parseDecimalField(QStringView text)
{
    text = trimBlanks(text);
    if (text.isEmpty())
        return 0.0;
    if (const std::optional<double> value = parseShortDecimal(text))
        return value;
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
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

FieldReader::FieldReader(TextLineReader& lines) : m_lines(lines) {}

void FieldReader::report(qint64 line, const QString& text) const
{
    if (m_onProblem)
        m_onProblem(line, text);
}

bool FieldReader::ensureLine()
{
    if (m_haveLine)
        return true;
    if (!m_lines.readLine(m_line))
        return false;
    m_pos = 0;
    m_haveLine = true;
    if (m_lines.lastLineHadBadBytes())
        report(m_lines.lineNumber(), QStringLiteral("コードページ 932 として読めないバイトがあります。"));
    return true;
}

std::optional<QString> FieldReader::readWholeLine()
{
    if (!ensureLine())
        return std::nullopt;
    m_fieldLine = m_lines.lineNumber();
    m_haveLine = false;
    return m_pos == 0 ? m_line : m_line.mid(m_pos);
}

std::optional<QStringView> FieldReader::readRawField()
{
    if (!ensureLine())
        return std::nullopt;
    m_fieldLine = m_lines.lineNumber();
    const QStringView line(m_line);
    qsizetype pos = m_pos;
    while (pos < line.size() && isBlank(line[pos]))
        ++pos;

    QStringView value;
    qsizetype end; // where the delimiter search starts
    const bool isQuoted = pos < line.size() && line[pos] == u'"';
    if (isQuoted) {
        const qsizetype close = line.indexOf(u'"', pos + 1);
        if (close < 0) {
            report(m_fieldLine, QStringLiteral("引用符 \" が閉じていません。行末までを値として読みます。"));
            value = line.mid(pos + 1);
            end = line.size();
        } else {
            value = line.mid(pos + 1, close - pos - 1);
            end = close + 1;
        }
    } else {
        end = pos;
    }
    const qsizetype comma = line.indexOf(u',', end);
    if (!isQuoted) {
        const qsizetype stop = comma < 0 ? line.size() : comma;
        qsizetype last = stop;
        while (last > pos && line[last - 1] == u' ')
            --last;
        value = line.mid(pos, last - pos);
    }
    // The view stays valid after this: m_line is only replaced by the next ensureLine().
    if (comma < 0) {
        m_haveLine = false;
    } else {
        m_pos = comma + 1;
    }
    return value;
}

std::optional<QString> FieldReader::readText()
{
    const std::optional<QStringView> text = readRawField();
    if (!text)
        return std::nullopt;
    return text->toString();
}

bool FieldReader::readText(QString& value)
{
    const std::optional<QStringView> text = readRawField();
    if (!text)
        return false;
    value.resize(0); // keeps the capacity
    value.append(*text);
    return true;
}

std::optional<double> FieldReader::readNumber()
{
    const std::optional<QStringView> text = readRawField();
    if (!text)
        return std::nullopt;
    if (const std::optional<double> value = parseDecimalField(*text))
        return value;
    report(m_fieldLine, QStringLiteral("数値ではありません（\"%1\"）。0 として読みます。").arg(*text));
    return 0.0;
}

std::optional<qint16> FieldReader::readInteger()
{
    const std::optional<QStringView> text = readRawField();
    if (!text)
        return std::nullopt;
    const std::optional<double> value = parseDecimalField(*text);
    if (value) {
        const double rounded = std::nearbyint(*value); // the default rounding mode: half to even
        if (rounded >= -32768.0 && rounded <= 32767.0)
            return static_cast<qint16>(rounded);
    }
    report(m_fieldLine,
           QStringLiteral("-32768 から 32767 までの整数ではありません（\"%1\"）。0 として読みます。").arg(*text));
    return qint16(0);
}

void FieldReader::skipBlankLines()
{
    while (ensureLine()) {
        if (m_pos != 0 || !isBlankLine(m_line))
            return;
        report(m_lines.lineNumber(), QStringLiteral("空行があります。読み飛ばします。"));
        m_haveLine = false;
    }
}

bool FieldReader::atEnd()
{
    return !m_haveLine && m_lines.atEnd();
}

#pragma once

#include <QString>

#include <functional>
#include <optional>

class TextLineReader;

// The one reader of catalogue fields, shared by the catalogue loader and the coefficient generator.
//
// A field ends at a comma or at the end of a line, which it consumes. Spaces and tabs in front of
// a field are skipped. A field that begins with a double quote runs to the next double quote on
// the same line; anything between that closing quote and the next comma is dropped. An unquoted
// field runs to the next comma or line end and loses its trailing spaces. Apart from ending
// fields, line boundaries do not matter: a record may run over several lines.
//
// Whatever the reader has to repair (an unclosed quote, a number that is no number, bytes the
// encoding cannot decode, a blank line skipped) goes to the problem handler with its line number.
class FieldReader {
public:
    using ProblemHandler = std::function<void(qint64 line, const QString& text)>;

    explicit FieldReader(TextLineReader& lines);

    using BadBytesHandler = std::function<void(qint64 line)>;

    void setProblemHandler(ProblemHandler handler) { m_onProblem = std::move(handler); }
    // Called instead of the problem handler for a line with bytes that the encoding cannot decode,
    // before any field of it is read: for readers that must not go on with such a line (it may
    // throw). Without it, such a line is a problem like the others and is read with substitutes.
    void setBadBytesHandler(BadBytesHandler handler) { m_onBadBytes = std::move(handler); }

    // The next whole line, or the rest of the current one. std::nullopt at the end of the file.
    std::optional<QString> readWholeLine();
    // A text field, as read (unquoted ones without trailing spaces).
    std::optional<QString> readText();
    // The same as a view into the current line: valid only until the next read.
    std::optional<QStringView> readTextView();
    // The same into `value`, whose storage is reused: for readers that go through many records.
    // False, with `value` unchanged, at the end of the file.
    bool readText(QString& value);
    // A decimal number: an empty field is 0; exponent form is accepted; a field that is not a
    // finite number is reported and read as 0.
    std::optional<double> readNumber();
    // A 16-bit whole number, rounded half to even; anything outside -32768 to 32767 is reported
    // and read as 0.
    std::optional<qint16> readInteger();

    // Skips lines that hold nothing but blanks, reporting each; call where a record starts.
    void skipBlankLines();
    // True when nothing is left to read: the last field read ended with the last line.
    bool atEnd();
    // The line of the field (or line) read last.
    qint64 lineNumber() const { return m_fieldLine; }

    void report(qint64 line, const QString& text) const;

private:
    bool ensureLine();

    TextLineReader& m_lines;
    ProblemHandler m_onProblem;
    BadBytesHandler m_onBadBytes;
    QString m_line;
    qsizetype m_pos = 0;
    bool m_haveLine = false; // m_line still has a field to give, possibly an empty one
    qint64 m_fieldLine = 0;
};

// Parses the text of a numeric field the way FieldReader::readNumber does. Returns std::nullopt
// for a text that is not a finite decimal number; an empty or blank text is 0.
std::optional<double> parseDecimalField(QStringView text);

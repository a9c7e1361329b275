#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

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
    using ProblemHandler = std::function<void(std::int64_t line, const std::u16string& text)>;
    using BadBytesHandler = std::function<void(std::int64_t line)>;

    explicit FieldReader(TextLineReader& lines);

    void setProblemHandler(ProblemHandler handler) { m_onProblem = std::move(handler); }
    // Called instead of the problem handler for a line with bytes that the encoding cannot decode,
    // before any field of it is read: for readers that must not go on with such a line (it may
    // throw). Without it, such a line is a problem like the others and is read with substitutes.
    void setBadBytesHandler(BadBytesHandler handler) { m_onBadBytes = std::move(handler); }

    // The next whole line, or the rest of the current one. std::nullopt at the end of the file.
    std::optional<std::u16string> readWholeLine();
    // A text field as a view into the current line (unquoted ones without trailing spaces):
    // valid only until the next read. std::nullopt at the end of the file.
    std::optional<std::u16string_view> readText();
    // A decimal number: an empty field is 0; exponent form is accepted; a field that is not a
    // finite number is reported and read as 0.
    std::optional<double> readNumber();
    // A 16-bit whole number, rounded half to even; anything outside -32768 to 32767 is reported
    // and read as 0.
    std::optional<std::int16_t> readInteger();

    // Skips lines that hold nothing but blanks, reporting each; call where a record starts.
    void skipBlankLines();
    // True when nothing is left to read: the last field read ended with the last line.
    bool atEnd();
    // The line of the field (or line) read last.
    std::int64_t lineNumber() const { return m_fieldLine; }

private:
    bool ensureLine();
    void report(std::int64_t line, const std::u16string& text) const;

    TextLineReader& m_lines;
    ProblemHandler m_onProblem;
    BadBytesHandler m_onBadBytes;
    std::u16string m_line;
    std::size_t m_pos = 0;
    bool m_haveLine = false; // m_line still has a field to give, possibly an empty one
    std::int64_t m_fieldLine = 0;
};

// Parses the text of a numeric field the way FieldReader::readNumber does. Returns std::nullopt
// for a text that is not a finite decimal number; an empty or blank text is 0.
std::optional<double> parseDecimalField(std::u16string_view text);

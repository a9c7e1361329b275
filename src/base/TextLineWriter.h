#pragma once

#include "TextLineReader.h"

#include <string>
#include <string_view>

class ByteSink;

// The one writer of catalogue text: lines each ended by CR LF, in code page 932, or in UTF-8
// behind a byte-order mark (for a catalogue that came in UTF-8: code page 932 could not hold all
// of its characters). Lines collect in a buffer that goes to the sink when it is full and on
// flush().
class TextLineWriter {
public:
    TextLineWriter(ByteSink& sink, TextLineReader::Encoding encoding);

    // False once a write to the sink has failed; nothing more is written then. False too, with
    // nothing of the line written, for a line that the encoding cannot hold: see unencodable().
    bool writeLine(std::u16string_view line);
    bool flush();
    bool failed() const { return m_failed; }
    // True when the last writeLine() refused its line because the encoding cannot hold it.
    bool unencodable() const { return m_unencodable; }

private:
    ByteSink& m_sink;
    TextLineReader::Encoding m_encoding;
    std::string m_buffer;
    bool m_failed = false;
    bool m_unencodable = false;
};

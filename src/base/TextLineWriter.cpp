#include "TextLineWriter.h"

#include "CodePage932.h"
#include "Files.h"
#include "Text.h"

namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
} // namespace

TextLineWriter::TextLineWriter(ByteSink& sink, TextLineReader::Encoding encoding)
    : m_sink(sink), m_encoding(encoding) {
    m_buffer.reserve(kBufferSize + 256);
    if (encoding == TextLineReader::Encoding::Utf8)
        m_buffer += kUtf8ByteOrderMark;
}

bool TextLineWriter::writeLine(std::u16string_view line) {
    m_unencodable = false;
    if (m_failed)
        return false;
    const std::size_t lineStart = m_buffer.size();
    if (m_encoding == TextLineReader::Encoding::Utf8) {
        // A lone surrogate has no UTF-8 form: written as U+FFFD it would change the text.
        m_unencodable = hasLoneSurrogate(line);
        if (!m_unencodable)
            m_buffer += toUtf8(line);
    } else {
        m_unencodable = !CodePage932::encode(line, m_buffer);
    }
    if (m_unencodable) {
        m_buffer.resize(lineStart);
        return false;
    }
    m_buffer += "\r\n";
    if (m_buffer.size() >= kBufferSize)
        return flush();
    return true;
}

bool TextLineWriter::flush() {
    if (m_failed)
        return false;
    if (!m_buffer.empty()) {
        m_failed = !m_sink.write(m_buffer.data(), m_buffer.size());
        m_buffer.clear();
    }
    return !m_failed;
}

#include "TextLineReader.h"

#include "CodePage932.h"
#include "Files.h"
#include "Text.h"

#include <cstring>

namespace {
constexpr std::size_t kChunkSize = 64 * 1024;
} // namespace

TextLineReader::TextLineReader(ByteSource& source) : m_source(source) {}

bool TextLineReader::fail(std::u16string reason) {
    m_readFailed = true;
    m_eofReached = true;
    m_error = std::move(reason);
    return false;
}

bool TextLineReader::lineTooLong() {
    return fail(formatText(u"%1 行目が %2 バイトを超えています。鋼材データファイルではありません",
                           {decimalText(m_lineNumber + 1), decimalText(std::int64_t(kMaxLineBytes))}));
}

bool TextLineReader::fillBuffer() {
    if (m_eofReached)
        return false;
    if (m_pos > 0) {
        m_buffer.erase(0, m_pos);
        m_pos = 0;
    }
    if (m_buffer.size() > kMaxLineBytes)
        return lineTooLong();
    if (m_totalBytes >= kMaxTotalBytes) {
        return fail(formatText(u"%1 行目で %2 バイトを超えました。鋼材データファイルではありません",
                               {decimalText(m_lineNumber + 1), decimalText(kMaxTotalBytes)}));
    }
    const std::size_t oldSize = m_buffer.size();
    m_buffer.resize(oldSize + kChunkSize);
    const std::ptrdiff_t got = m_source.read(m_buffer.data() + oldSize, kChunkSize);
    if (got <= 0) {
        m_buffer.resize(oldSize);
        m_eofReached = true;
        if (got < 0)
            fail(m_source.errorText());
        return false;
    }
    m_buffer.resize(oldSize + std::size_t(got));
    m_totalBytes += got;
    return true;
}

void TextLineReader::detectEncoding() {
    // The mark's three bytes are enough to decide; a shorter file cannot carry the mark.
    const std::size_t markLength = kUtf8ByteOrderMark.size();
    while (m_buffer.size() - m_pos < markLength && fillBuffer()) {
    }
    if (std::string_view(m_buffer).substr(m_pos).starts_with(kUtf8ByteOrderMark)) {
        m_encoding = Encoding::Utf8;
        m_pos += markLength;
    }
    m_encodingKnown = true;
}

void TextLineReader::decodeInto(const char* data, std::size_t size, std::u16string& line) {
    line.clear();
    if (m_encoding == Encoding::Utf8) {
        bool valid = true;
        line = fromUtf8(std::string_view(data, size), &valid);
        m_lastLineBad = !valid;
    } else {
        m_lastLineBad = !CodePage932::decode(std::string_view(data, size), line);
    }
}

bool TextLineReader::readLine(std::u16string& line) {
    if (!m_encodingKnown)
        detectEncoding();
    std::size_t searchFrom = m_pos;
    for (;;) {
        const char* begin = m_buffer.data() + m_pos;
        const auto* lf = static_cast<const char*>(
            std::memchr(m_buffer.data() + searchFrom, '\n', m_buffer.size() - searchFrom));
        if (lf) {
            std::size_t length = std::size_t(lf - begin);
            if (length > kMaxLineBytes)
                return lineTooLong();
            if (length > 0 && begin[length - 1] == '\r')
                --length;
            decodeInto(begin, length, line);
            m_pos = std::size_t(lf - m_buffer.data()) + 1;
            ++m_lineNumber;
            return true;
        }
        const std::size_t searched = m_buffer.size() - m_pos;
        if (!fillBuffer()) {
            if (m_readFailed || m_buffer.size() == m_pos)
                return false;
            // The last line has no line end.
            std::size_t length = m_buffer.size() - m_pos;
            if (m_buffer.back() == '\r')
                --length;
            decodeInto(m_buffer.data() + m_pos, length, line);
            m_pos = m_buffer.size();
            ++m_lineNumber;
            return true;
        }
        searchFrom = m_pos + searched; // fillBuffer() moved the unread bytes to the front
    }
}

bool TextLineReader::atEnd() {
    if (!m_encodingKnown)
        detectEncoding();
    if (m_pos < m_buffer.size())
        return false;
    return !fillBuffer();
}

#include "TextLineReader.h"

#include <QIODevice>

#include <cstring>

namespace {
constexpr qsizetype kChunkSize = 64 * 1024;
constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";
} // namespace

TextLineReader::TextLineReader(QIODevice& device) : m_device(device) {}

bool TextLineReader::fillBuffer() {
    if (m_eofReached)
        return false;
    if (m_pos > 0) {
        m_buffer.remove(0, m_pos);
        m_pos = 0;
    }
    const qsizetype oldSize = m_buffer.size();
    m_buffer.resize(oldSize + kChunkSize);
    const qint64 got = m_device.read(m_buffer.data() + oldSize, kChunkSize);
    if (got <= 0) {
        m_buffer.resize(oldSize);
        m_eofReached = true;
        m_readFailed = got < 0;
        return false;
    }
    m_buffer.resize(oldSize + got);
    return true;
}

void TextLineReader::detectEncoding() {
    // Three bytes are enough to decide; a shorter file cannot carry the mark.
    while (m_buffer.size() - m_pos < 3 && fillBuffer()) {
    }
    if (m_buffer.size() - m_pos >= 3 && std::memcmp(m_buffer.constData() + m_pos, kUtf8Bom, 3) == 0) {
        m_encoding = Encoding::Utf8;
        m_pos += 3;
    }
    m_encodingKnown = true;
}

void TextLineReader::decodeInto(const char* data, qsizetype size, QString& line) {
    if (!m_decoder) {
        m_decoder =
            m_encoding == Encoding::Utf8
                ? std::make_unique<QStringDecoder>(QStringConverter::Utf8, QStringConverter::Flag::Stateless)
                : std::make_unique<QStringDecoder>(kCp932Name, QStringConverter::Flag::Stateless);
    }
    line = m_decoder->decode(QByteArrayView(data, size));
    m_lastLineBad = m_decoder->hasError();
    // The error flag sticks to a decoder, so a fresh one takes over after a bad line.
    if (m_lastLineBad)
        m_decoder.reset();
}

bool TextLineReader::readLine(QString& line) {
    if (!m_encodingKnown)
        detectEncoding();
    qsizetype searchFrom = m_pos;
    for (;;) {
        const char* begin = m_buffer.constData() + m_pos;
        const auto* lf = static_cast<const char*>(
            std::memchr(m_buffer.constData() + searchFrom, '\n', m_buffer.size() - searchFrom));
        if (lf) {
            qsizetype len = lf - begin;
            if (len > 0 && begin[len - 1] == '\r')
                --len;
            decodeInto(begin, len, line);
            m_pos = (lf - m_buffer.constData()) + 1;
            ++m_lineNumber;
            return true;
        }
        const qsizetype searched = m_buffer.size() - m_pos;
        if (!fillBuffer()) {
            if (m_readFailed || m_buffer.size() == m_pos)
                return false;
            // The last line has no line end.
            qsizetype len = m_buffer.size() - m_pos;
            if (m_buffer.at(m_buffer.size() - 1) == '\r')
                --len;
            decodeInto(m_buffer.constData() + m_pos, len, line);
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

QString TextLineReader::errorString() const {
    return m_device.errorString();
}

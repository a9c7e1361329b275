#include "TextLineWriter.h"

#include <QIODevice>

#include <cstring>

namespace {
constexpr qsizetype kBufferSize = 64 * 1024;
constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";
} // namespace

TextLineWriter::TextLineWriter(QIODevice& device, TextLineReader::Encoding encoding)
    : m_device(device),
      m_encoder(encoding == TextLineReader::Encoding::Utf8 ? QStringEncoder(QStringConverter::Utf8)
                                                           : QStringEncoder(kCp932Name)),
      m_buffer(kBufferSize, Qt::Uninitialized) {
    if (encoding == TextLineReader::Encoding::Utf8) {
        std::memcpy(m_buffer.data(), kUtf8Bom, 3);
        m_used = 3;
    }
}

bool TextLineWriter::writeLine(QStringView line) {
    if (m_failed)
        return false;
    const qsizetype needed = m_encoder.requiredSpace(line.size()) + 2;
    if (m_used + needed > m_buffer.size()) {
        if (!flush())
            return false;
        if (needed > m_buffer.size())
            m_buffer.resize(needed); // one very long line; the buffer keeps this size
    }
    char* end = m_encoder.appendToBuffer(m_buffer.data() + m_used, line);
    *end++ = '\r';
    *end++ = '\n';
    m_used = end - m_buffer.constData();
    return true;
}

bool TextLineWriter::flush() {
    if (m_failed)
        return false;
    if (m_used > 0) {
        const qint64 written = m_device.write(m_buffer.constData(), m_used);
        m_failed = written != m_used;
        m_used = 0;
    }
    return !m_failed;
}

#include "TextLineWriter.h"

#include <QIODevice>

#include <cstring>

namespace {
constexpr qsizetype kBufferSize = 64 * 1024;
constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// Checked with the converter itself rather than assumed for the converter's name.
bool encodesAsciiAsItself(QStringEncoder& encoder) {
    char16_t ascii[128];
    for (char16_t c = 0; c < 128; ++c)
        ascii[c] = c;
    const QByteArray bytes = encoder.encode(QStringView(ascii, 128));
    if (encoder.hasError() || bytes.size() != 128)
        return false;
    for (int c = 0; c < 128; ++c) {
        if (bytes[c] != char(c))
            return false;
    }
    return true;
}

// Copies `line` to `out` when it is all ASCII; false (with `out` partly written) when not.
bool copyAscii(char* out, QStringView line) {
    const char16_t* text = line.utf16();
    const qsizetype size = line.size();
    char16_t seen = 0;
    for (qsizetype i = 0; i < size; ++i) {
        seen |= text[i];
        out[i] = char(text[i]);
    }
    return seen < 0x80;
}
} // namespace

TextLineWriter::TextLineWriter(QIODevice& device, TextLineReader::Encoding encoding)
    : m_device(device),
      m_encoder(encoding == TextLineReader::Encoding::Utf8 ? QStringEncoder(QStringConverter::Utf8)
                                                           : QStringEncoder(kCp932Name)),
      m_buffer(kBufferSize, Qt::Uninitialized) {
    m_asciiIsIdentity = encodesAsciiAsItself(m_encoder);
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
    char* end = m_buffer.data() + m_used;
    if (m_asciiIsIdentity && copyAscii(end, line))
        end += line.size();
    else
        end = m_encoder.appendToBuffer(end, line);
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

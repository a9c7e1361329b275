#include "TextLineWriter.h"

#include <QIODevice>

#include <cstring>

namespace {
constexpr qsizetype kBufferSize = 64 * 1024;
constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// Lines of characters below U+0080 are translated by table. The table is taken from the
// converter itself: ICU's code page 932 does not map all of them to their own byte (it swaps
// U+001A, U+001C and U+007F), and a table keeps its output exactly the converter's.
bool makeAsciiTable(QStringEncoder& encoder, std::array<char, 128>& table) {
    for (char16_t c = 0; c < 128; ++c) {
        const QByteArray bytes = encoder.encode(QStringView(&c, 1));
        if (encoder.hasError() || bytes.size() != 1)
            return false;
        table[c] = bytes[0];
    }
    return true;
}

// Translates `line` to `out` when it is all below U+0080; false (with `out` partly written)
// when not. Only a line with control characters needs the table: the first loop, which the
// compiler can vectorise, settles every other one.
bool translateAscii(char* out, QStringView line, const std::array<char, 128>& table) {
    const char16_t* text = line.utf16();
    const qsizetype size = line.size();
    char16_t seen = 0;
    char16_t control = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text[i];
        seen |= c;
        control |= char16_t(c < 0x20 || c == 0x7f);
        out[i] = char(c);
    }
    if (seen >= 0x80)
        return false;
    if (control) {
        for (qsizetype i = 0; i < size; ++i)
            out[i] = table[text[i]];
    }
    return true;
}
QStringEncoder makeEncoder(TextLineReader::Encoding encoding) {
    return encoding == TextLineReader::Encoding::Utf8 ? QStringEncoder(QStringConverter::Utf8)
                                                      : QStringEncoder(kCp932Name);
}
} // namespace

TextLineWriter::TextLineWriter(QIODevice& device, TextLineReader::Encoding encoding)
    : m_device(device), m_encoding(encoding), m_encoder(makeEncoder(encoding)),
      m_buffer(kBufferSize, Qt::Uninitialized) {
    m_asciiByTable = makeAsciiTable(m_encoder, m_asciiTable);
    if (encoding == TextLineReader::Encoding::Utf8) {
        std::memcpy(m_buffer.data(), kUtf8Bom, 3);
        m_used = 3;
    }
}

bool TextLineWriter::writeLine(QStringView line) {
    m_unencodable = false;
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
    if (m_asciiByTable && translateAscii(end, line, m_asciiTable)) {
        end += line.size();
    } else {
        end = m_encoder.appendToBuffer(end, line);
        // The converter would put its substitute bytes in place of what it cannot encode, and
        // for code page 932 those are no valid text either: refuse the line instead.
        m_unencodable = m_encoder.hasError();
        if (m_unencodable) {
            m_encoder = makeEncoder(m_encoding); // the error flag sticks to a converter
            return false;
        }
    }
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

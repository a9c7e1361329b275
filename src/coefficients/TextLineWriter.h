#pragma once

#include "catalogue/TextLineReader.h"

#include <QByteArray>
#include <QStringEncoder>
#include <QStringView>

#include <array>

class QIODevice;

// Writes text lines to a device, each ended by CR LF, in code page 932, or in UTF-8 behind a
// byte-order mark (for a catalogue that came in UTF-8: code page 932 could not hold all of its
// characters). Lines collect in a buffer that goes to the device when it is full and on flush().
class TextLineWriter {
public:
    TextLineWriter(QIODevice& device, TextLineReader::Encoding encoding);

    // False once a write to the device has failed; nothing more is written then. False too,
    // with nothing of the line written, for a line that the encoding cannot hold (a character
    // that stands for undecodable input bytes, say): see unencodable().
    bool writeLine(QStringView line);
    bool flush();
    bool failed() const { return m_failed; }
    // True when the last writeLine() refused its line because the encoding cannot hold it.
    bool unencodable() const { return m_unencodable; }

private:
    QIODevice& m_device;
    TextLineReader::Encoding m_encoding;
    QStringEncoder m_encoder;
    // The bytes of U+0000 to U+007F, with which lines of only such characters skip the converter.
    std::array<char, 128> m_asciiTable{};
    bool m_asciiByTable = false;
    QByteArray m_buffer;
    qsizetype m_used = 0;
    bool m_failed = false;
    bool m_unencodable = false;
};

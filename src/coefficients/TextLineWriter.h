#pragma once

#include "catalogue/TextLineReader.h"

#include <QByteArray>
#include <QStringEncoder>
#include <QStringView>

class QIODevice;

// Writes text lines to a device, each ended by CR LF, in code page 932, or in UTF-8 behind a
// byte-order mark (for a catalogue that came in UTF-8: code page 932 could not hold all of its
// characters). Lines collect in a buffer that goes to the device when it is full and on flush().
class TextLineWriter {
public:
    TextLineWriter(QIODevice& device, TextLineReader::Encoding encoding);

    // False once a write to the device has failed; nothing more is written then.
    bool writeLine(QStringView line);
    bool flush();
    bool failed() const { return m_failed; }

private:
    QIODevice& m_device;
    QStringEncoder m_encoder;
    QByteArray m_buffer;
    qsizetype m_used = 0;
    bool m_failed = false;
};

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

#include <memory>

class QIODevice;

// Reads a catalogue-style text file one line at a time, decoding each line on its own.
//
// Lines end at LF; a CR right before the LF is dropped, so CR LF and LF alone read the same.
// The encoding is code page 932 unless the data begins with a UTF-8 byte-order mark, in which
// case it is UTF-8 and the mark is not part of the first line. Lines are split on the raw bytes
// (LF never occurs inside a code-page-932 or UTF-8 character), which lets every line report its
// own undecodable bytes. Only the current line and one read buffer are held in memory.
class TextLineReader {
public:
    enum class Encoding { Cp932, Utf8 };

    explicit TextLineReader(QIODevice& device);

    // Reads the next line into `line`. Returns false at the end of the data (or on a read error,
    // see readFailed()). A last line without a line end is still a line.
    bool readLine(QString& line);

    bool atEnd();
    // 1-based number of the line that readLine() returned last; 0 before the first.
    qint64 lineNumber() const { return m_lineNumber; }
    // True when the line that readLine() returned last held bytes that the encoding cannot decode.
    bool lastLineHadBadBytes() const { return m_lastLineBad; }
    bool readFailed() const { return m_readFailed; }
    QString errorString() const;
    Encoding encoding() const { return m_encoding; }

private:
    bool fillBuffer();
    void detectEncoding();
    void decodeInto(const char* data, qsizetype size, QString& line);

    QIODevice& m_device;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_eofReached = false;
    bool m_readFailed = false;
    bool m_encodingKnown = false;
    Encoding m_encoding = Encoding::Cp932;
    std::unique_ptr<QStringDecoder> m_decoder;
    qint64 m_lineNumber = 0;
    bool m_lastLineBad = false;
};

// The converter name of code page 932 as ICU knows it.
inline constexpr const char* kCp932Name = "Windows-31J";

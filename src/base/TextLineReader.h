#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class ByteSource;

// The bytes in front of a UTF-8 text that tell it from code page 932.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Reads a catalogue-style text one line at a time, decoding each line on its own.
//
// Lines end at LF; a CR right before the LF is dropped, so CR LF and LF alone read the same.
// The encoding is code page 932 unless the data begins with a UTF-8 byte-order mark, in which
// case it is UTF-8 and the mark is not part of the first line. Lines are split on the raw bytes
// (LF never occurs inside a code-page-932 or UTF-8 character), which lets every line report its
// own undecodable bytes. Only the current line and one read buffer are held in memory.
//
// A catalogue holds at most 100 groups of 200 members, a few megabytes; a line longer than
// kMaxLineBytes or data beyond kMaxTotalBytes is no catalogue (a device, a runaway file) and
// stops the reading as a read error that names the line.
class TextLineReader {
public:
    enum class Encoding { Cp932, Utf8 };

    static constexpr std::size_t kMaxLineBytes = std::size_t(1) << 20;
    static constexpr std::int64_t kMaxTotalBytes = std::int64_t(1) << 30;

    explicit TextLineReader(ByteSource& source);

    // Reads the next line into `line`. Returns false at the end of the data (or on a read error,
    // see readFailed()). A last line without a line end is still a line.
    bool readLine(std::u16string& line);

    bool atEnd();
    // 1-based number of the line that readLine() returned last; 0 before the first.
    std::int64_t lineNumber() const { return m_lineNumber; }
    // True when the line that readLine() returned last held bytes that the encoding cannot decode.
    bool lastLineHadBadBytes() const { return m_lastLineBad; }
    bool readFailed() const { return m_readFailed; }
    std::u16string errorText() const { return m_error; }
    Encoding encoding() const { return m_encoding; }

private:
    bool fillBuffer();
    void detectEncoding();
    void decodeInto(const char* data, std::size_t size, std::u16string& line);
    bool fail(std::u16string reason);
    bool lineTooLong();

    ByteSource& m_source;
    std::string m_buffer;
    std::size_t m_pos = 0;
    std::int64_t m_totalBytes = 0;
    bool m_eofReached = false;
    bool m_readFailed = false;
    bool m_encodingKnown = false;
    Encoding m_encoding = Encoding::Cp932;
    std::int64_t m_lineNumber = 0;
    bool m_lastLineBad = false;
    std::u16string m_error;
};

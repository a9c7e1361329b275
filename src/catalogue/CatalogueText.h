#pragma once

#include "TextLineReader.h"

#include <QByteArray>
#include <QString>

// The catalogue file as the text editor sees it: one plain text with "\n" between lines.
//
// A file is read as code page 932 unless it begins with a UTF-8 byte-order mark; it is written back
// in the encoding it was read in (a UTF-8 file with its mark again), with CR LF line ends and a line
// end after the last line, because the catalogue reader reads CR LF-separated lines.
namespace CatalogueText {

using Encoding = TextLineReader::Encoding;

struct ReadResult {
    bool ok = false;
    QString text;                        // every line followed by "\n"
    Encoding encoding = Encoding::Cp932; // the encoding to write the text back in
    QString error;                       // why the file could not be read, when !ok
};

// Reads the whole file at `path`. Bytes that the encoding cannot decode come back as U+FFFD, which
// encode() then refuses, so they are never written back silently.
ReadResult read(const QString& path);

struct EncodeResult {
    bool ok = false;
    QByteArray bytes;
    // When !ok: the first character that the encoding cannot hold and its 1-based line number.
    QString badCharacter;
    qint64 badLine = 0;
};

// The bytes of the file for `text`: CR LF, LF and a lone CR each end a line, and a text that does
// not end with a line end gets one.
EncodeResult encode(const QString& text, Encoding encoding);

// Replaces the file at `path` by `bytes` all at once: the old file stays whole if anything fails.
// Returns an empty text on success, otherwise the reason.
QString write(const QString& path, const QByteArray& bytes);

// "U+00A9" and the like, for naming a character in a message.
QString codePointText(const QString& character);

} // namespace CatalogueText

#pragma once

#include "base/TextLineReader.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// The catalogue file as the text editor sees it: one plain text with "\n" between lines.
//
// A file is read as code page 932 unless it begins with a UTF-8 byte-order mark; it is written back
// in the encoding it was read in (a UTF-8 file with its mark again), with CR LF line ends and a line
// end after the last line, because the catalogue reader reads CR LF-separated lines.
namespace CatalogueText {

using Encoding = TextLineReader::Encoding;

struct ReadResult {
    bool ok = false;
    std::u16string text;                 // every line followed by "\n"
    Encoding encoding = Encoding::Cp932; // the encoding to write the text back in
    std::u16string error;                // why the file could not be read, when !ok
    // The lines that held bytes the encoding cannot decode; they show U+FFFD in their place.
    std::vector<std::int64_t> badLines;
};

ReadResult read(const std::filesystem::path& path);

struct EncodeResult {
    bool ok = false;
    std::string bytes;
    // When !ok: the first character that the encoding cannot hold and its 1-based line number.
    std::u16string badCharacter;
    std::int64_t badLine = 0;
};

// The bytes of the file for `text`: CR LF, LF and a lone CR each end a line, and a text that does
// not end with a line end gets one.
EncodeResult encode(std::u16string_view text, Encoding encoding);

// Replaces the file at `path` by `bytes` all at once: the old file stays whole if anything fails,
// and the file keeps its identity (links followed, hard links kept, owner and mode kept: see
// ReplacingFile). In a folder where no new file can be made, a writable file is written in place.
// Returns an empty text on success, otherwise the reason.
std::u16string write(const std::filesystem::path& path, const std::string& bytes);

// "U+00A9" and the like, for naming a character in a message.
std::u16string codePointText(std::u16string_view character);

} // namespace CatalogueText

#include "CatalogueText.h"

#include "base/Files.h"
#include "base/Text.h"
#include "base/TextLineWriter.h"

namespace CatalogueText {

ReadResult read(const std::filesystem::path& path) {
    ReadResult result;
    InputFile file;
    if (!file.open(path)) {
        result.error = file.errorText();
        return result;
    }
    TextLineReader reader(file);
    std::u16string line;
    while (reader.readLine(line)) {
        result.text += line;
        result.text += u'\n';
        if (reader.lastLineHadBadBytes())
            result.badLines.push_back(reader.lineNumber());
    }
    if (reader.readFailed()) {
        result.error = reader.errorText();
        result.text.clear();
        return result;
    }
    result.encoding = reader.encoding();
    result.ok = true;
    return result;
}

namespace {

// The lines of `text`: CR LF, LF and a lone CR each end one; a last line without an end counts.
template <typename Visit> void forEachLine(std::u16string_view text, Visit visit) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of(u"\r\n", start);
        if (end == std::u16string_view::npos) {
            visit(text.substr(start));
            return;
        }
        if (!visit(text.substr(start, end - start)))
            return;
        start = end + (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? 2 : 1);
    }
}

// The first character of `line` (a surrogate pair taken together) that the encoding cannot hold.
std::u16string firstBadCharacter(std::u16string_view line, Encoding encoding) {
    for (std::size_t i = 0; i < line.size();) {
        const std::size_t length =
            isHighSurrogate(line[i]) && i + 1 < line.size() && isLowSurrogate(line[i + 1]) ? 2 : 1;
        MemorySink sink;
        TextLineWriter probe(sink, encoding);
        if (!probe.writeLine(line.substr(i, length)))
            return std::u16string(line.substr(i, length));
        i += length;
    }
    return {};
}

} // namespace

EncodeResult encode(std::u16string_view text, Encoding encoding) {
    EncodeResult result;
    MemorySink sink;
    TextLineWriter writer(sink, encoding);
    std::int64_t lineNumber = 0;
    bool ok = true;
    forEachLine(text, [&](std::u16string_view line) {
        ++lineNumber;
        if (writer.writeLine(line))
            return true;
        result.badCharacter = firstBadCharacter(line, encoding);
        result.badLine = lineNumber;
        ok = false;
        return false;
    });
    if (!ok)
        return result;
    writer.flush();
    result.bytes = sink.bytes();
    result.ok = true;
    return result;
}

std::u16string write(const std::filesystem::path& path, const std::string& bytes) {
    ReplacingFile file;
    if (!file.open(path, ReplacingFile::Fallback::WriteInPlace))
        return file.errorText();
    if (!file.write(bytes.data(), bytes.size()) || !file.commit())
        return file.errorText();
    return {};
}

std::u16string codePointText(std::u16string_view character) {
    // A lone surrogate is named as itself.
    char32_t codePoint = character.empty() ? 0 : character[0];
    if (character.size() > 1 && isHighSurrogate(character[0]) && isLowSurrogate(character[1]))
        codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (character[1] - 0xDC00);
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    std::u16string hex;
    for (char32_t rest = codePoint; rest != 0 || hex.size() < 4; rest >>= 4)
        hex.insert(hex.begin(), kDigits[rest & 0xF]);
    return u"U+" + hex;
}

} // namespace CatalogueText

#include "CodePage932.h"

#include "Text.h"

namespace CodePage932 {

namespace {

constexpr char16_t kReplacement = u'\uFFFD';

bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool isTrailByte(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// Bytes up to 0x80 are their own characters in the code page; everything above goes through
// the platform's converter (ICU's tables rotate some control characters and lack 0x80).
bool isDirectByte(unsigned char b) {
    return b <= 0x80;
}

// The length of the unit that starts at bytes[i]: 2 for a lead byte with a trail byte after it.
std::size_t unitLength(std::string_view bytes, std::size_t i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (isLeadByte(b) && i + 1 < bytes.size() && isTrailByte(static_cast<unsigned char>(bytes[i + 1])))
        return 2;
    return 1;
}

// Converts a run of non-direct units; when the run as a whole does not convert, it is taken one
// unit at a time so that only the undefined units become U+FFFD.
bool decodeConverted(std::string_view run, std::u16string& out) {
    if (Native::decodeRun(run, out))
        return true;
    bool ok = true;
    for (std::size_t i = 0; i < run.size();) {
        const std::size_t length = unitLength(run, i);
        if (!Native::decodeRun(run.substr(i, length), out)) {
            out.push_back(kReplacement);
            ok = false;
        }
        i += length;
    }
    return ok;
}

// A character has bytes in the code page only when they decode back to it. The converters do not
// hold to that by themselves: ICU's encodes default-ignorable characters (U+200B, U+FEFF, ...) as
// nothing and private-use ones by fallback (U+F86F as the bytes of U+2116), and Wine's encodes
// U+F8F0-U+F8F3 as single bytes it does not decode.
bool encodeExactly(std::u16string_view run, std::string& out) {
    const std::size_t start = out.size();
    if (!Native::encodeRun(run, out))
        return false;
    std::u16string decoded;
    return Native::decodeRun(std::string_view(out).substr(start), decoded) && decoded == run;
}

} // namespace

bool decode(std::string_view bytes, std::u16string& out) {
    bool ok = true;
    std::size_t i = 0;
    while (i < bytes.size()) {
        // Direct bytes (almost all of a catalogue) are widened in place.
        while (i < bytes.size() && isDirectByte(static_cast<unsigned char>(bytes[i])))
            out.push_back(char16_t(static_cast<unsigned char>(bytes[i++])));
        // The units up to the next direct byte that does not trail a lead byte.
        const std::size_t begin = i;
        while (i < bytes.size() && !isDirectByte(static_cast<unsigned char>(bytes[i])))
            i += unitLength(bytes, i);
        if (i > begin && !decodeConverted(bytes.substr(begin, i - begin), out))
            ok = false;
    }
    return ok;
}

bool encode(std::u16string_view text, std::string& out) {
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] <= 0x80)
            out.push_back(char(static_cast<unsigned char>(text[i++])));
        const std::size_t begin = i;
        while (i < text.size() && text[i] > 0x80) {
            // A surrogate pair stays whole; a lone half is refused by the converter.
            i += isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1]) ? 2 : 1;
        }
        if (i > begin && !encodeExactly(text.substr(begin, i - begin), out))
            return false;
    }
    return true;
}

} // namespace CodePage932

// The keystroke notation: whatever the text, the parse ends with a sequence or an error; every
// keystroke of a sequence is a key that can be sent, and writing the sequence out again in braces
// reads back as the same keystrokes.
#include "FuzzSupport.h"
#include "link/KeySequence.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const std::u16string text = fuzzText(data + 1, size - 1, (data[0] & 1) != 0);
    const KeySequenceParse parsed = parseKeySequence(text);
    check(parsed.sequence.has_value() == parsed.error.empty());
    if (!parsed.sequence)
        return 0;
    check(parsed.sequence->text == text);
    // Each keystroke as its modifiers and the key in braces; a capital letter brings its own Shift.
    std::u16string canonical;
    for (const KeyStroke& stroke : parsed.sequence->strokes) {
        const char32_t c = stroke.character;
        const bool capital = stroke.named == NamedKey::None && isCapitalLetter(c);
        check(stroke.named == NamedKey::None
                  ? c >= 0x20 && c != 0x7f && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF)
                  : c == 0 && !namedKeyName(stroke.named).empty());
        check(!capital || (stroke.modifiers & KeyStroke::Shift));
        canonical += (stroke.modifiers & KeyStroke::Shift) && !capital ? u"+" : u"";
        canonical += stroke.modifiers & KeyStroke::Ctrl ? u"^" : u"";
        canonical += stroke.modifiers & KeyStroke::Alt ? u"%{" : u"{";
        if (stroke.named != NamedKey::None)
            canonical += namedKeyName(stroke.named);
        else
            appendCodePoint(canonical, c);
        canonical += u'}';
    }
    const KeySequenceParse again = parseKeySequence(canonical);
    check(again.sequence && again.sequence->strokes == parsed.sequence->strokes);
    return 0;
}

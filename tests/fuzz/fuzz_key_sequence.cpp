// The keystroke notation: whatever the text, the parse ends with a sequence or an error, the
// same one each time; every keystroke of a sequence is a key that can be sent, and writing the
// sequence out again in braces reads back as the same keystrokes.
#include "FuzzSupport.h"
#include "link/KeySequence.h"

namespace {

void checkStroke(const KeyStroke& stroke) {
    check(stroke.modifiers >= 0 && stroke.modifiers <= (KeyStroke::Shift | KeyStroke::Ctrl | KeyStroke::Alt));
    if (stroke.named != NamedKey::None) {
        check(stroke.character == 0 && !namedKeyName(stroke.named).empty());
        return;
    }
    const char32_t c = stroke.character;
    check(c >= 0x20 && c != 0x7f && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF));
    if (isCapitalLetter(c))
        check(stroke.modifiers & KeyStroke::Shift);
}

// Each keystroke as its modifiers and the key in braces; a capital letter brings its own Shift.
std::u16string canonicalText(const std::vector<KeyStroke>& strokes) {
    std::u16string text;
    for (const KeyStroke& stroke : strokes) {
        const bool impliedShift = stroke.named == NamedKey::None && isCapitalLetter(stroke.character);
        if ((stroke.modifiers & KeyStroke::Shift) && !impliedShift)
            text += u'+';
        if (stroke.modifiers & KeyStroke::Ctrl)
            text += u'^';
        if (stroke.modifiers & KeyStroke::Alt)
            text += u'%';
        text += u'{';
        if (stroke.named != NamedKey::None) {
            text += namedKeyName(stroke.named);
        } else {
            appendCodePoint(text, stroke.character);
        }
        text += u'}';
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const bool utf16 = (data[0] & 1) != 0;
    ++data;
    --size;
    const std::u16string text = fuzzText(data, size, utf16);

    const KeySequenceParse first = parseKeySequence(text);
    const KeySequenceParse again = parseKeySequence(text);
    check(first.sequence.has_value() == again.sequence.has_value() && first.error == again.error);
    if (!first.sequence) {
        check(!first.error.empty());
        return 0;
    }
    check(first.error.empty() && first.sequence->text == text);
    check(first.sequence->strokes == again.sequence->strokes);
    for (const KeyStroke& stroke : first.sequence->strokes)
        checkStroke(stroke);

    const KeySequenceParse canonical = parseKeySequence(canonicalText(first.sequence->strokes));
    check(canonical.sequence.has_value());
    check(canonical.sequence->strokes == first.sequence->strokes);
    return 0;
}

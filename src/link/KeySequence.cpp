#include "KeySequence.h"

#include "base/Text.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

struct KeyName {
    const char16_t* name;
    NamedKey key;
};

// Every name the braces accept; the first name of each key is its canonical one.
constexpr std::array kKeyNames{
    KeyName{u"ENTER", NamedKey::Enter},
    KeyName{u"TAB", NamedKey::Tab},
    KeyName{u"ESC", NamedKey::Escape},
    KeyName{u"ESCAPE", NamedKey::Escape},
    KeyName{u"BACKSPACE", NamedKey::Backspace},
    KeyName{u"BS", NamedKey::Backspace},
    KeyName{u"BKSP", NamedKey::Backspace},
    KeyName{u"DELETE", NamedKey::Delete},
    KeyName{u"DEL", NamedKey::Delete},
    KeyName{u"INSERT", NamedKey::Insert},
    KeyName{u"INS", NamedKey::Insert},
    KeyName{u"HOME", NamedKey::Home},
    KeyName{u"END", NamedKey::End},
    KeyName{u"PGUP", NamedKey::PageUp},
    KeyName{u"PGDN", NamedKey::PageDown},
    KeyName{u"UP", NamedKey::Up},
    KeyName{u"DOWN", NamedKey::Down},
    KeyName{u"LEFT", NamedKey::Left},
    KeyName{u"RIGHT", NamedKey::Right},
    KeyName{u"F1", NamedKey::F1},
    KeyName{u"F2", NamedKey::F2},
    KeyName{u"F3", NamedKey::F3},
    KeyName{u"F4", NamedKey::F4},
    KeyName{u"F5", NamedKey::F5},
    KeyName{u"F6", NamedKey::F6},
    KeyName{u"F7", NamedKey::F7},
    KeyName{u"F8", NamedKey::F8},
    KeyName{u"F9", NamedKey::F9},
    KeyName{u"F10", NamedKey::F10},
    KeyName{u"F11", NamedKey::F11},
    KeyName{u"F12", NamedKey::F12},
    KeyName{u"F13", NamedKey::F13},
    KeyName{u"F14", NamedKey::F14},
    KeyName{u"F15", NamedKey::F15},
    KeyName{u"F16", NamedKey::F16},
    KeyName{u"BREAK", NamedKey::Break},
    KeyName{u"CAPSLOCK", NamedKey::CapsLock},
    KeyName{u"NUMLOCK", NamedKey::NumLock},
    KeyName{u"SCROLLLOCK", NamedKey::ScrollLock},
    KeyName{u"PRTSC", NamedKey::PrintScreen},
    KeyName{u"HELP", NamedKey::Help},
    KeyName{u"ADD", NamedKey::Add},
    KeyName{u"SUBTRACT", NamedKey::Subtract},
    KeyName{u"MULTIPLY", NamedKey::Multiply},
    KeyName{u"DIVIDE", NamedKey::Divide},
};

constexpr int kMaxRepeat = 999;
// Bounds that keep a hostile setting from exhausting the stack (each group nests a call) or the
// memory (each repeat count multiplies the keystrokes); real settings stay far below both.
constexpr int kMaxGroupDepth = 50;
constexpr std::size_t kMaxStrokes = 100000;

int modifierOf(char16_t c) {
    switch (c) {
    case u'+':
        return KeyStroke::Shift;
    case u'^':
        return KeyStroke::Ctrl;
    case u'%':
        return KeyStroke::Alt;
    default:
        return 0;
    }
}

// A character as a keystroke of its own: a capital letter brings Shift, a tab is the TAB key.
KeyStroke characterStroke(char32_t c) {
    KeyStroke stroke;
    if (c == U'\t') {
        stroke.named = NamedKey::Tab;
        return stroke;
    }
    stroke.character = c;
    if (isCapitalLetter(c))
        stroke.modifiers = KeyStroke::Shift;
    return stroke;
}

// The one character that `text` holds, a surrogate pair taken together.
std::optional<char32_t> singleCharacter(std::u16string_view text) {
    if (text.size() == 1 && !isHighSurrogate(text[0]) && !isLowSurrogate(text[0]))
        return text[0];
    if (text.size() == 2 && isHighSurrogate(text[0]) && isLowSurrogate(text[1]))
        return 0x10000 + ((char32_t(text[0]) - 0xD800) << 10) + (text[1] - 0xDC00);
    return std::nullopt;
}

// Key names are ASCII: "left", "Left" and "LEFT" name one key.
bool equalIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    const auto fold = [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char16_t x, char16_t y) { return fold(x) == fold(y); });
}

class Parser {
public:
    explicit Parser(std::u16string_view text) : m_text(text) {}

    bool parse(std::vector<KeyStroke>& strokes) { return sequence(0, 0, strokes); }
    const std::u16string& error() const { return m_error; }

private:
    std::u16string_view m_text;
    std::size_t m_pos = 0;
    std::u16string m_error;

    bool fail(std::u16string message) {
        m_error = std::move(message);
        return false;
    }

    // The 1-based position of character `index`, for messages.
    static std::u16string position(std::size_t index) { return decimalText(std::int64_t(index + 1)); }

    // Reads keys up to the end of the text, or up to and including the ")" that closes a group
    // when `depth` > 0; every key gets the modifiers `held` of the groups around it.
    bool sequence(int held, int depth, std::vector<KeyStroke>& strokes) {
        int pending = 0;
        while (m_pos < m_text.size()) {
            const char16_t c = m_text[m_pos];
            if (const int modifier = modifierOf(c)) {
                pending |= modifier;
                ++m_pos;
                continue;
            }
            if (c == u'(') {
                if (depth == kMaxGroupDepth)
                    return fail(formatText(u"%1 文字目の「(」: かっこの入れ子は %2 段までです。",
                                           {position(m_pos), decimalText(kMaxGroupDepth)}));
                ++m_pos;
                if (!sequence(held | pending, depth + 1, strokes))
                    return false;
                pending = 0;
                continue;
            }
            if (c == u')') {
                if (depth == 0)
                    return fail(
                        formatText(u"%1 文字目の「)」に対応する「(」がありません。", {position(m_pos)}));
                if (pending)
                    return fail(formatText(u"%1 文字目の「)」の前の修飾キー（+ ^ %）の後にキーがありません。",
                                           {position(m_pos)}));
                ++m_pos;
                return true;
            }
            KeyStroke stroke;
            int repeat = 1;
            if (c == u'~') {
                stroke.named = NamedKey::Enter;
                ++m_pos;
            } else if (c == u'{') {
                if (!braces(stroke, repeat))
                    return false;
            } else if (!character(stroke)) {
                return false;
            }
            stroke.modifiers |= held | pending;
            if (strokes.size() + repeat > kMaxStrokes)
                return fail(formatText(u"キー操作が多すぎます（%1 個まで）。", {decimalText(kMaxStrokes)}));
            strokes.insert(strokes.end(), std::size_t(repeat), stroke);
            pending = 0;
        }
        if (depth > 0)
            return fail(u"「(」が閉じていません。");
        if (pending)
            return fail(u"最後の修飾キー（+ ^ %）の後にキーがありません。");
        return true;
    }

    bool character(KeyStroke& stroke) {
        char32_t c = m_text[m_pos];
        std::size_t length = 1;
        if (isHighSurrogate(m_text[m_pos]) && m_pos + 1 < m_text.size() &&
            isLowSurrogate(m_text[m_pos + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (m_text[m_pos + 1] - 0xDC00);
            length = 2;
        }
        if (c != U'\t' && (c < 0x20 || c == 0x7f))
            return fail(formatText(u"%1 文字目に送れない制御文字があります。", {position(m_pos)}));
        if (c >= 0xD800 && c <= 0xDFFF) // half of a pair: no character that a key could type
            return fail(formatText(u"%1 文字目に対のないサロゲートがあります。", {position(m_pos)}));
        stroke = characterStroke(c);
        m_pos += length;
        return true;
    }

    // "{NAME}", "{NAME COUNT}", "{c}", "{c COUNT}"; "{}}" is the closing brace itself.
    bool braces(KeyStroke& stroke, int& repeat) {
        const std::size_t open = m_pos;
        const std::size_t from = open + 1;
        const bool braceItself = from < m_text.size() && m_text[from] == u'}';
        const std::size_t close = m_text.find(u'}', braceItself ? from + 1 : from);
        if (close == std::u16string_view::npos)
            return fail(formatText(u"%1 文字目の「{」が閉じていません。", {position(open)}));
        const std::u16string_view inside = m_text.substr(from, close - from);
        m_pos = close + 1;

        std::u16string_view name = inside;
        const std::size_t blank = inside.rfind(u' ');
        if (blank != std::u16string_view::npos && blank > 0) {
            name = inside.substr(0, blank);
            const std::u16string_view count = inside.substr(blank + 1);
            const bool digitsOnly =
                !count.empty() && count.size() <= 3 &&
                std::all_of(count.begin(), count.end(), [](char16_t d) { return d >= u'0' && d <= u'9'; });
            repeat = 0;
            for (const char16_t d : digitsOnly ? count : std::u16string_view())
                repeat = repeat * 10 + (d - u'0');
            if (repeat < 1 || repeat > kMaxRepeat)
                return fail(formatText(u"{%1} の繰り返しの回数「%2」が正しくありません（1 から %3 まで）。",
                                       {inside, count, decimalText(kMaxRepeat)}));
        }
        if (name.empty())
            return fail(formatText(u"%1 文字目の {} にキーの名前がありません。", {position(open)}));
        const std::optional<char32_t> single = singleCharacter(name);
        if (!single && hasLoneSurrogate(name))
            return fail(formatText(u"%1 文字目の {} に対のないサロゲートがあります。", {position(open)}));
        if (single) {
            const char32_t c = *single;
            if (c < 0x20 || c == 0x7f)
                return fail(formatText(u"%1 文字目の {} に送れない制御文字があります。", {position(open)}));
            stroke = characterStroke(c);
            return true;
        }
        for (const KeyName& entry : kKeyNames) {
            if (equalIgnoringAsciiCase(name, entry.name)) {
                stroke.named = entry.key;
                return true;
            }
        }
        return fail(formatText(u"{%1} は知らないキーの名前です。", {name}));
    }
};

} // namespace

std::u16string NamedKeyName(NamedKey key) {
    for (const KeyName& entry : kKeyNames) {
        if (entry.key == key)
            return entry.name;
    }
    return {};
}

std::u16string KeyStroke::description() const {
    std::u16string text;
    if (modifiers & Shift)
        text += u"Shift+";
    if (modifiers & Ctrl)
        text += u"Ctrl+";
    if (modifiers & Alt)
        text += u"Alt+";
    if (named != NamedKey::None)
        return text + NamedKeyName(named);
    text += u'"';
    appendCodePoint(text, character);
    return text + u'"';
}

KeySequenceParse ParseKeySequence(std::u16string_view text) {
    Parser parser(text);
    std::vector<KeyStroke> strokes;
    if (!parser.parse(strokes))
        return {std::nullopt, parser.error()};
    return {KeySequence{std::u16string(text), std::move(strokes)}, {}};
}

bool KeySequence::pastes() const {
    return std::any_of(strokes.begin(), strokes.end(), [](const KeyStroke& stroke) {
        const bool ctrlV =
            (stroke.modifiers & KeyStroke::Ctrl) && (stroke.character == U'v' || stroke.character == U'V');
        const bool shiftInsert = (stroke.modifiers & KeyStroke::Shift) && stroke.named == NamedKey::Insert;
        return ctrlV || shiftInsert;
    });
}

#include "KeySequence.h"

#include "base/Text.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

// Every named key: the names the braces accept for it, its canonical one first, and its codes on
// each platform, as X11's keysymdef.h (XK_Return...) and Windows' winuser.h (VK_RETURN...) give
// them.
struct NamedKeyEntry {
    NamedKey key;
    std::array<std::u16string_view, 3> names;
    NamedKeyCodes codes;
};

constexpr std::array kNamedKeys{
    // key, names, {X11 keysym, Windows virtual-key code}
    NamedKeyEntry{NamedKey::Enter, {u"ENTER"}, {0xff0d, 0x0d}},
    NamedKeyEntry{NamedKey::Tab, {u"TAB"}, {0xff09, 0x09}},
    NamedKeyEntry{NamedKey::Escape, {u"ESC", u"ESCAPE"}, {0xff1b, 0x1b}},
    NamedKeyEntry{NamedKey::Backspace, {u"BACKSPACE", u"BS", u"BKSP"}, {0xff08, 0x08}},
    NamedKeyEntry{NamedKey::Delete, {u"DELETE", u"DEL"}, {0xffff, 0x2e}},
    NamedKeyEntry{NamedKey::Insert, {u"INSERT", u"INS"}, {0xff63, 0x2d}},
    NamedKeyEntry{NamedKey::Home, {u"HOME"}, {0xff50, 0x24}},
    NamedKeyEntry{NamedKey::End, {u"END"}, {0xff57, 0x23}},
    NamedKeyEntry{NamedKey::PageUp, {u"PGUP"}, {0xff55, 0x21}},
    NamedKeyEntry{NamedKey::PageDown, {u"PGDN"}, {0xff56, 0x22}},
    NamedKeyEntry{NamedKey::Up, {u"UP"}, {0xff52, 0x26}},
    NamedKeyEntry{NamedKey::Down, {u"DOWN"}, {0xff54, 0x28}},
    NamedKeyEntry{NamedKey::Left, {u"LEFT"}, {0xff51, 0x25}},
    NamedKeyEntry{NamedKey::Right, {u"RIGHT"}, {0xff53, 0x27}},
    NamedKeyEntry{NamedKey::F1, {u"F1"}, {0xffbe, 0x70}},
    NamedKeyEntry{NamedKey::F2, {u"F2"}, {0xffbf, 0x71}},
    NamedKeyEntry{NamedKey::F3, {u"F3"}, {0xffc0, 0x72}},
    NamedKeyEntry{NamedKey::F4, {u"F4"}, {0xffc1, 0x73}},
    NamedKeyEntry{NamedKey::F5, {u"F5"}, {0xffc2, 0x74}},
    NamedKeyEntry{NamedKey::F6, {u"F6"}, {0xffc3, 0x75}},
    NamedKeyEntry{NamedKey::F7, {u"F7"}, {0xffc4, 0x76}},
    NamedKeyEntry{NamedKey::F8, {u"F8"}, {0xffc5, 0x77}},
    NamedKeyEntry{NamedKey::F9, {u"F9"}, {0xffc6, 0x78}},
    NamedKeyEntry{NamedKey::F10, {u"F10"}, {0xffc7, 0x79}},
    NamedKeyEntry{NamedKey::F11, {u"F11"}, {0xffc8, 0x7a}},
    NamedKeyEntry{NamedKey::F12, {u"F12"}, {0xffc9, 0x7b}},
    NamedKeyEntry{NamedKey::F13, {u"F13"}, {0xffca, 0x7c}},
    NamedKeyEntry{NamedKey::F14, {u"F14"}, {0xffcb, 0x7d}},
    NamedKeyEntry{NamedKey::F15, {u"F15"}, {0xffcc, 0x7e}},
    NamedKeyEntry{NamedKey::F16, {u"F16"}, {0xffcd, 0x7f}},
    NamedKeyEntry{NamedKey::Break, {u"BREAK"}, {0xff6b, 0x03}},
    NamedKeyEntry{NamedKey::CapsLock, {u"CAPSLOCK"}, {0xffe5, 0x14}},
    NamedKeyEntry{NamedKey::NumLock, {u"NUMLOCK"}, {0xff7f, 0x90}},
    NamedKeyEntry{NamedKey::ScrollLock, {u"SCROLLLOCK"}, {0xff14, 0x91}},
    NamedKeyEntry{NamedKey::PrintScreen, {u"PRTSC"}, {0xff61, 0x2c}},
    NamedKeyEntry{NamedKey::Help, {u"HELP"}, {0xff6a, 0x2f}},
    // The numeric keypad's keys.
    NamedKeyEntry{NamedKey::Add, {u"ADD"}, {0xffab, 0x6b}},
    NamedKeyEntry{NamedKey::Subtract, {u"SUBTRACT"}, {0xffad, 0x6d}},
    NamedKeyEntry{NamedKey::Multiply, {u"MULTIPLY"}, {0xffaa, 0x6a}},
    NamedKeyEntry{NamedKey::Divide, {u"DIVIDE"}, {0xffaf, 0x6f}},
};

const NamedKeyEntry* entryOf(NamedKey key) {
    for (const NamedKeyEntry& entry : kNamedKeys) {
        if (entry.key == key)
            return &entry;
    }
    return nullptr;
}

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
        for (const NamedKeyEntry& entry : kNamedKeys) {
            for (const std::u16string_view entryName : entry.names) {
                if (!entryName.empty() && equalIgnoringAsciiCase(name, entryName)) {
                    stroke.named = entry.key;
                    return true;
                }
            }
        }
        return fail(formatText(u"{%1} は知らないキーの名前です。", {name}));
    }
};

} // namespace

std::u16string namedKeyName(NamedKey key) {
    const NamedKeyEntry* entry = entryOf(key);
    return entry ? std::u16string(entry->names[0]) : std::u16string();
}

NamedKeyCodes namedKeyCodes(NamedKey key) {
    const NamedKeyEntry* entry = entryOf(key);
    return entry ? entry->codes : NamedKeyCodes{};
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
        return text + namedKeyName(named);
    text += u'"';
    appendCodePoint(text, character);
    return text + u'"';
}

KeySequenceParse parseKeySequence(std::u16string_view text) {
    Parser parser(text);
    std::vector<KeyStroke> strokes;
    if (!parser.parse(strokes))
        return {std::nullopt, parser.error()};
    return {KeySequence{std::u16string(text), std::move(strokes)}, {}};
}

bool KeyStroke::pastes() const {
    const bool ctrlV = (modifiers & Ctrl) && (character == U'v' || character == U'V');
    return ctrlV || ((modifiers & Shift) && named == NamedKey::Insert);
}

bool KeySequence::pastes() const {
    return std::any_of(strokes.begin(), strokes.end(),
                       [](const KeyStroke& stroke) { return stroke.pastes(); });
}

#include "KeySequence.h"

#include <array>

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
constexpr qsizetype kMaxStrokes = 100000;

int modifierOf(QChar c) {
    switch (c.unicode()) {
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
    if (QChar::isUpper(c) && QChar::toLower(c) != c)
        stroke.modifiers = KeyStroke::Shift;
    return stroke;
}

class Parser {
public:
    explicit Parser(const QString& text) : text_(text) {}

    bool parse(QList<KeyStroke>& strokes) { return sequence(0, 0, strokes); }
    const QString& error() const { return error_; }

private:
    const QString& text_;
    qsizetype pos_ = 0;
    QString error_;

    bool fail(const QString& message) {
        error_ = message;
        return false;
    }

    // Reads keys up to the end of the text, or up to and including the ")" that closes a group
    // when `depth` > 0; every key gets the modifiers `held` of the groups around it.
    bool sequence(int held, int depth, QList<KeyStroke>& strokes) {
        int pending = 0;
        while (pos_ < text_.size()) {
            const QChar c = text_[pos_];
            if (const int modifier = modifierOf(c)) {
                pending |= modifier;
                ++pos_;
                continue;
            }
            if (c == u'(') {
                if (depth == kMaxGroupDepth)
                    return fail(QStringLiteral("%1 文字目の「(」: かっこの入れ子は %2 段までです。")
                                    .arg(pos_ + 1)
                                    .arg(kMaxGroupDepth));
                ++pos_;
                if (!sequence(held | pending, depth + 1, strokes))
                    return false;
                pending = 0;
                continue;
            }
            if (c == u')') {
                if (depth == 0)
                    return fail(
                        QStringLiteral("%1 文字目の「)」に対応する「(」がありません。").arg(pos_ + 1));
                if (pending)
                    return fail(
                        QStringLiteral("%1 文字目の「)」の前の修飾キー（+ ^ %）の後にキーがありません。")
                            .arg(pos_ + 1));
                ++pos_;
                return true;
            }
            KeyStroke stroke;
            int repeat = 1;
            if (c == u'~') {
                stroke.named = NamedKey::Enter;
                ++pos_;
            } else if (c == u'{') {
                if (!braces(stroke, repeat))
                    return false;
            } else if (!character(stroke)) {
                return false;
            }
            stroke.modifiers |= held | pending;
            if (strokes.size() + repeat > kMaxStrokes)
                return fail(QStringLiteral("キー操作が多すぎます（%1 個まで）。").arg(kMaxStrokes));
            for (int i = 0; i < repeat; ++i)
                strokes.append(stroke);
            pending = 0;
        }
        if (depth > 0)
            return fail(QStringLiteral("「(」が閉じていません。"));
        if (pending)
            return fail(QStringLiteral("最後の修飾キー（+ ^ %）の後にキーがありません。"));
        return true;
    }

    bool character(KeyStroke& stroke) {
        char32_t c = text_[pos_].unicode();
        qsizetype length = 1;
        if (QChar::isHighSurrogate(c) && pos_ + 1 < text_.size() && text_[pos_ + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text_[pos_], text_[pos_ + 1]);
            length = 2;
        }
        if (c != U'\t' && (c < 0x20 || c == 0x7f))
            return fail(QStringLiteral("%1 文字目に送れない制御文字があります。").arg(pos_ + 1));
        if (QChar::isSurrogate(c)) // half of a pair: no character that a key could type
            return fail(QStringLiteral("%1 文字目に対のないサロゲートがあります。").arg(pos_ + 1));
        stroke = characterStroke(c);
        pos_ += length;
        return true;
    }

    // "{NAME}", "{NAME COUNT}", "{c}", "{c COUNT}"; "{}}" is the closing brace itself.
    bool braces(KeyStroke& stroke, int& repeat) {
        const qsizetype open = pos_;
        const qsizetype from = open + 1;
        const bool braceItself = from < text_.size() && text_[from] == u'}';
        const qsizetype close = text_.indexOf(u'}', braceItself ? from + 1 : from);
        if (close < 0)
            return fail(QStringLiteral("%1 文字目の「{」が閉じていません。").arg(open + 1));
        const QString inside = text_.mid(from, close - from);
        pos_ = close + 1;

        QString name = inside;
        const qsizetype blank = inside.lastIndexOf(u' ');
        if (blank > 0) {
            name = inside.left(blank);
            const QString count = inside.mid(blank + 1);
            bool digitsOnly = !count.isEmpty() && count.size() <= 3;
            for (const QChar d : count)
                digitsOnly = digitsOnly && d >= u'0' && d <= u'9';
            repeat = digitsOnly ? count.toInt() : 0;
            if (repeat < 1 || repeat > kMaxRepeat)
                return fail(
                    QStringLiteral("{%1} の繰り返しの回数「%2」が正しくありません（1 から %3 まで）。")
                        .arg(inside, count)
                        .arg(kMaxRepeat));
        }
        if (name.isEmpty())
            return fail(QStringLiteral("%1 文字目の {} にキーの名前がありません。").arg(open + 1));
        if (!name.isValidUtf16())
            return fail(QStringLiteral("%1 文字目の {} に対のないサロゲートがあります。").arg(open + 1));
        const QList<uint> codePoints = name.toUcs4();
        if (codePoints.size() == 1) {
            const char32_t c = codePoints.constFirst();
            if (c < 0x20 || c == 0x7f)
                return fail(QStringLiteral("%1 文字目の {} に送れない制御文字があります。").arg(open + 1));
            stroke = characterStroke(c);
            return true;
        }
        for (const KeyName& entry : kKeyNames) {
            if (name.compare(QStringView(entry.name), Qt::CaseInsensitive) == 0) {
                stroke.named = entry.key;
                return true;
            }
        }
        return fail(QStringLiteral("{%1} は知らないキーの名前です。").arg(name));
    }
};

} // namespace

QString NamedKeyName(NamedKey key) {
    for (const KeyName& entry : kKeyNames) {
        if (entry.key == key)
            return QString::fromUtf16(entry.name);
    }
    return {};
}

QString KeyStroke::description() const {
    QString text;
    if (modifiers & Shift)
        text += u"Shift+";
    if (modifiers & Ctrl)
        text += u"Ctrl+";
    if (modifiers & Alt)
        text += u"Alt+";
    if (named != NamedKey::None)
        return text + NamedKeyName(named);
    // QChar::fromUcs4, not QString::fromUcs4: the latter drops U+FEFF as a byte-order mark.
    return text + u'"' + QStringView(QChar::fromUcs4(character)).toString() + u'"';
}

KeySequenceParse ParseKeySequence(const QString& text) {
    Parser parser(text);
    QList<KeyStroke> strokes;
    if (!parser.parse(strokes))
        return {std::nullopt, parser.error()};
    return {KeySequence{text, strokes}, {}};
}

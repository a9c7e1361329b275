#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The keys that the keystroke notation names in braces, beside plain characters.
enum class NamedKey {
    None,
    Enter,
    Tab,
    Escape,
    Backspace,
    Delete,
    Insert,
    Home,
    End,
    PageUp,
    PageDown,
    Up,
    Down,
    Left,
    Right,
    F1,
    F2,
    F3,
    F4,
    F5,
    F6,
    F7,
    F8,
    F9,
    F10,
    F11,
    F12,
    F13,
    F14,
    F15,
    F16,
    Break,
    CapsLock,
    NumLock,
    ScrollLock,
    PrintScreen,
    Help,
    Add,
    Subtract,
    Multiply,
    Divide,
};

// The canonical upper-case name of a named key ("ENTER", "LEFT", "F4", "PGUP").
std::u16string namedKeyName(NamedKey key);

// What a named key is on each platform, as plain numbers beside the key names (no platform header
// here): its X11 keysym and its Windows virtual-key code. NamedKey::None has neither (both 0).
struct NamedKeyCodes {
    std::uint32_t x11Keysym = 0;
    std::uint16_t windowsVirtualKey = 0;
};
NamedKeyCodes namedKeyCodes(NamedKey key);

// One key pressed and released while the modifiers are held. Either `named` is set, or
// `character` holds the character that the key types.
struct KeyStroke {
    enum Modifier { Shift = 1, Ctrl = 2, Alt = 4 };
    int modifiers = 0;
    NamedKey named = NamedKey::None;
    char32_t character = 0;

    // "Shift+Ctrl+LEFT" or "Ctrl+\"v\"": modifiers in the order Shift, Ctrl, Alt, then the key.
    std::u16string description() const;
    // Ctrl+V or Shift+Insert.
    bool pastes() const;

    friend bool operator==(const KeyStroke&, const KeyStroke&) = default;
};

// A keystroke text and the keystrokes it stands for.
struct KeySequence {
    std::u16string text;
    std::vector<KeyStroke> strokes;

    // True when one of the keystrokes pastes (Ctrl+V or Shift+Insert): the platforms' sinks then
    // wait for the target to fetch the clipboard.
    bool pastes() const;
};

// The result of reading a keystroke text: the sequence, or what is wrong with the text.
struct KeySequenceParse {
    std::optional<KeySequence> sequence;
    std::u16string error; // empty when `sequence` is set
};

// Reads the keystroke notation of the spreadsheet link, all or nothing:
// - a character stands for itself; a capital letter is typed with Shift; a tab is the TAB key;
// - "+" Shift, "^" Ctrl, "%" Alt hold for the next key, or for every key of a group in parentheses;
// - "~" is ENTER;
// - braces name a key in any case ({ENTER}, {left}) or hold one character as itself ({+}, {(}, {}}),
//   optionally with a repeat count after one blank ({LEFT 6}, {h 3}; 1 to 999).
// A malformed text (unclosed brace, unknown key name, unbalanced parenthesis, bad repeat count, a
// modifier with no key after it, a control character) gives no sequence, only the error.
KeySequenceParse parseKeySequence(std::u16string_view text);

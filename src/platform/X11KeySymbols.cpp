#include "X11KeySymbols.h"

#define XK_MISCELLANY
#define XK_LATIN1
#include <X11/keysymdef.h>

xcb_keysym_t KeysymOf(const KeyStroke& stroke) {
    switch (stroke.named) {
    case NamedKey::None:
        break;
    case NamedKey::Enter:
        return XK_Return;
    case NamedKey::Tab:
        return XK_Tab;
    case NamedKey::Escape:
        return XK_Escape;
    case NamedKey::Backspace:
        return XK_BackSpace;
    case NamedKey::Delete:
        return XK_Delete;
    case NamedKey::Insert:
        return XK_Insert;
    case NamedKey::Home:
        return XK_Home;
    case NamedKey::End:
        return XK_End;
    case NamedKey::PageUp:
        return XK_Prior;
    case NamedKey::PageDown:
        return XK_Next;
    case NamedKey::Up:
        return XK_Up;
    case NamedKey::Down:
        return XK_Down;
    case NamedKey::Left:
        return XK_Left;
    case NamedKey::Right:
        return XK_Right;
    case NamedKey::F1:
    case NamedKey::F2:
    case NamedKey::F3:
    case NamedKey::F4:
    case NamedKey::F5:
    case NamedKey::F6:
    case NamedKey::F7:
    case NamedKey::F8:
    case NamedKey::F9:
    case NamedKey::F10:
    case NamedKey::F11:
    case NamedKey::F12:
    case NamedKey::F13:
    case NamedKey::F14:
    case NamedKey::F15:
    case NamedKey::F16:
        return XK_F1 + xcb_keysym_t(int(stroke.named) - int(NamedKey::F1));
    case NamedKey::Break:
        return XK_Break;
    case NamedKey::CapsLock:
        return XK_Caps_Lock;
    case NamedKey::NumLock:
        return XK_Num_Lock;
    case NamedKey::ScrollLock:
        return XK_Scroll_Lock;
    case NamedKey::PrintScreen:
        return XK_Print;
    case NamedKey::Help:
        return XK_Help;
    case NamedKey::Add:
        return XK_KP_Add;
    case NamedKey::Subtract:
        return XK_KP_Subtract;
    case NamedKey::Multiply:
        return XK_KP_Multiply;
    case NamedKey::Divide:
        return XK_KP_Divide;
    }
    const char32_t c = stroke.character;
    if ((c >= 0x20 && c <= 0x7e) || (c >= 0xa0 && c <= 0xff))
        return xcb_keysym_t(c);
    return 0x1000000 + xcb_keysym_t(c);
}

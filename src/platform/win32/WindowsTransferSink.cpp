#include "WindowsTransferSink.h"

#ifdef Q_OS_WIN

#include "EventPump.h"
#include "lookup/SpreadsheetWindowTitle.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>

#include <iterator>
#include <string>
#include <vector>
#include <windows.h>

namespace {

// Spreadsheets lose keys that come without a gap; a few milliseconds between events are enough.
constexpr int kGapMs = 6;
constexpr int kFocusTimeoutMs = 1000;
constexpr int kSettleMs = 50;
constexpr UINT kAnswerTimeoutMs = 2000;

struct TopLevel {
    std::vector<HWND> windows;
    QStringList titles;
};

BOOL CALLBACK collect(HWND window, LPARAM data) {
    auto* found = reinterpret_cast<TopLevel*>(data);
    if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER) != nullptr)
        return TRUE;
    wchar_t title[512];
    const int length = GetWindowTextW(window, title, int(std::size(title)));
    found->windows.push_back(window);
    found->titles.append(QString::fromWCharArray(title, length));
    return TRUE;
}

// Windows lets only the foreground process hand the foreground on. The lookup window is in the
// foreground when the user chooses a member, so SetForegroundWindow normally works at once;
// otherwise attaching to the foreground thread's input, and a tapped Alt key, lift the lock.
void bringForward(HWND window) {
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    if (SetForegroundWindow(window) && GetForegroundWindow() == window)
        return;
    const DWORD self = GetCurrentThreadId();
    const DWORD foreground = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    const bool attached = foreground != self && AttachThreadInput(self, foreground, TRUE);
    INPUT alt[2] = {};
    alt[0].type = alt[1].type = INPUT_KEYBOARD;
    alt[0].ki.wVk = alt[1].ki.wVk = VK_MENU;
    alt[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, alt, sizeof(INPUT));
    SetForegroundWindow(window);
    BringWindowToTop(window);
    if (attached)
        AttachThreadInput(self, foreground, FALSE);
}

WORD virtualKeyOf(NamedKey key) {
    switch (key) {
    case NamedKey::Enter:
        return VK_RETURN;
    case NamedKey::Tab:
        return VK_TAB;
    case NamedKey::Escape:
        return VK_ESCAPE;
    case NamedKey::Backspace:
        return VK_BACK;
    case NamedKey::Delete:
        return VK_DELETE;
    case NamedKey::Insert:
        return VK_INSERT;
    case NamedKey::Home:
        return VK_HOME;
    case NamedKey::End:
        return VK_END;
    case NamedKey::PageUp:
        return VK_PRIOR;
    case NamedKey::PageDown:
        return VK_NEXT;
    case NamedKey::Up:
        return VK_UP;
    case NamedKey::Down:
        return VK_DOWN;
    case NamedKey::Left:
        return VK_LEFT;
    case NamedKey::Right:
        return VK_RIGHT;
    case NamedKey::Break:
        return VK_CANCEL;
    case NamedKey::CapsLock:
        return VK_CAPITAL;
    case NamedKey::NumLock:
        return VK_NUMLOCK;
    case NamedKey::ScrollLock:
        return VK_SCROLL;
    case NamedKey::PrintScreen:
        return VK_SNAPSHOT;
    case NamedKey::Help:
        return VK_HELP;
    case NamedKey::Add:
        return VK_ADD;
    case NamedKey::Subtract:
        return VK_SUBTRACT;
    case NamedKey::Multiply:
        return VK_MULTIPLY;
    case NamedKey::Divide:
        return VK_DIVIDE;
    case NamedKey::None:
        return 0;
    default:
        return WORD(VK_F1 + (int(key) - int(NamedKey::F1)));
    }
}

// The keys of the navigation block share their scan codes with the numeric keypad; without the
// extended flag a window that reads scan codes takes them for keypad keys.
bool isExtended(WORD virtualKey) {
    switch (virtualKey) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE:
    case VK_DIVIDE:
        return true;
    default:
        return false;
    }
}

INPUT keyInput(WORD virtualKey, wchar_t unit, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = virtualKey == 0 ? WORD(unit) : WORD(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (virtualKey == 0 ? KEYEVENTF_UNICODE : 0) | (up ? KEYEVENTF_KEYUP : 0) |
                       (isExtended(virtualKey) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

// One event at a time with a gap, running the event loop meanwhile so that the clipboard stays
// served.
void sendOne(INPUT input) {
    SendInput(1, &input, sizeof(INPUT));
    PumpEventsFor(kGapMs);
}

void sendStroke(const KeyStroke& stroke) {
    WORD virtualKey = virtualKeyOf(stroke.named);
    bool shift = stroke.modifiers & KeyStroke::Shift;
    std::wstring units;
    if (stroke.named == NamedKey::None) {
        // QChar::fromUcs4, not QString::fromUcs4: the latter drops U+FEFF as a byte-order mark.
        units = QStringView(QChar::fromUcs4(stroke.character)).toString().toStdWString();
        const SHORT scan = units.size() == 1 ? VkKeyScanW(units[0]) : SHORT(-1);
        if (scan != -1 && !(scan & 0x0600)) { // on the layout without Ctrl or Alt
            virtualKey = LOBYTE(scan);
            shift = shift || (scan & 0x0100);
        }
    }
    std::vector<WORD> held;
    if (shift)
        held.push_back(VK_SHIFT);
    if (stroke.modifiers & KeyStroke::Ctrl)
        held.push_back(VK_CONTROL);
    if (stroke.modifiers & KeyStroke::Alt)
        held.push_back(VK_MENU);
    for (const WORD modifier : held)
        sendOne(keyInput(modifier, 0, false));
    if (virtualKey != 0) {
        sendOne(keyInput(virtualKey, 0, false));
        sendOne(keyInput(virtualKey, 0, true));
    } else { // a character that no key of the layout types
        for (const wchar_t unit : units)
            sendOne(keyInput(0, unit, false));
        for (const wchar_t unit : units)
            sendOne(keyInput(0, unit, true));
    }
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        sendOne(keyInput(*it, 0, true));
}

} // namespace

bool WindowsTransferSink::AppActivate(const QString& title) {
    TopLevel found;
    EnumWindows(collect, reinterpret_cast<LPARAM>(&found));
    const qsizetype match = MatchWindowTitle(found.titles, title);
    if (match < 0)
        return false;
    const HWND window = found.windows[std::size_t(match)];
    bringForward(window);
    QElapsedTimer clock;
    clock.start();
    while (GetForegroundWindow() != window && clock.elapsed() < kFocusTimeoutMs)
        PumpEventsFor(5);
    return true;
}

void WindowsTransferSink::ClipboardClear() {
    QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
}

void WindowsTransferSink::ClipboardSetText(const QString& text) {
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

// With wait: Windows gives no sure sign that a window has handled its input. This waits until the
// foreground window's thread has answered a message twice, with a settle time after each, so that
// a paste has fetched the clipboard, which this process keeps serving while it pumps events.
void WindowsTransferSink::SendKeys(const KeySequence& keys, bool wait) {
    for (const KeyStroke& stroke : keys.strokes)
        sendStroke(stroke);
    if (!wait || keys.strokes.isEmpty())
        return;
    HWND window = GetForegroundWindow();
    DWORD_PTR answer = 0;
    for (int round = 0; round < 2 && window; ++round) {
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &answer);
        PumpEventsFor(kSettleMs);
    }
}

#endif

#include "Win32TransferSink.h"

#include "SystemFunction.h"
#include "Win32Text.h"

#include "link/SpreadsheetWindowTitle.h"
#include "link/TransferWaits.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Between two key events. Under Wine, events sent back to back are partly lost, and a busy
// spreadsheet loses a key that comes right after another.
constexpr int kGapMs = 2;
// A program that fetches the clipboard whenever it changes would fetch again after every re-offer:
// each text is offered again only a few times after other programs' fetches, and each paste only so
// often after the spreadsheet's (the paste's wait is bounded all the same).
constexpr int kMaxReoffers = 4;
constexpr int kMaxSpreadsheetReoffers = 16;
constexpr int kPollMs = 1;
// After other keystrokes with wait: time for the window to handle them.
constexpr int kKeysSettleMs = 30;
// A spreadsheet that leaves a message unanswered for this long is taken to have stopped handling
// its input, and keys sent now would only pile up in its queue (Windows itself calls a window hung
// after 5 s, which is longer than the user should wait with the program busy).
constexpr int kAnswerTimeoutMs = 2000;
// While a paste is waited for, how often the spreadsheet is asked whether it still answers.
constexpr int kAskAgainMs = 100;

constexpr UINT kReofferMessage = WM_APP + 1;
constexpr UINT_PTR kReofferTimer = 1;
// While the clipboard is to be emptied once the spreadsheet is done with a paste, how often that
// is looked at.
constexpr UINT_PTR kClearTimer = 2;
constexpr UINT kClearCheckMs = 50;
constexpr wchar_t kWindowClass[] = L"ZelkTransferSink";

int millisecondsSince(Clock::time_point start) {
    return int(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// Runs this thread's sent and posted messages, timers and paints for about `milliseconds`,
// leaving the user's input queued: the clipboard stays served and the windows painted while the
// transfer waits, and the user cannot start another action in the middle of it.
void pumpMessagesFor(int milliseconds) {
    const Clock::time_point start = Clock::now();
    bool quit = false;
    int quitCode = 0;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0,
                            PM_REMOVE | PM_QS_SENDMESSAGE | PM_QS_POSTMESSAGE | PM_QS_PAINT)) {
            if (message.message == WM_QUIT) {
                quit = true;
                quitCode = int(message.wParam);
                continue;
            }
            DispatchMessageW(&message);
        }
        const int left = milliseconds - millisecondsSince(start);
        if (left <= 0)
            break;
        MsgWaitForMultipleObjectsEx(0, nullptr, DWORD(left),
                                    QS_SENDMESSAGE | QS_POSTMESSAGE | QS_PAINT | QS_TIMER, 0);
    }
    if (quit) // for the program's own message loop
        PostQuitMessage(quitCode);
}

struct TopLevelWindows {
    std::vector<HWND> windows;
    std::vector<std::u16string> titles;
};

BOOL CALLBACK collectTopLevelWindow(HWND window, LPARAM found) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (!IsWindowVisible(window) || process == GetCurrentProcessId()) // never types into itself
        return TRUE;
    auto* list = reinterpret_cast<TopLevelWindows*>(found);
    list->windows.push_back(window);
    list->titles.push_back(windowText(window));
    return TRUE;
}

void pumpBriefly() {
    pumpMessagesFor(kPollMs);
}

// The last of the messages sent to the spreadsheet without waiting that it has answered. The
// answer's callback runs on this thread and carries only the message's number.
std::uint64_t answeredMessage = 0;

void CALLBACK onAnswer(HWND, UINT, ULONG_PTR number, LRESULT) {
    answeredMessage = std::max(answeredMessage, std::uint64_t(number));
}

bool anyKeyDown() {
    for (int key = 1; key < 255; ++key) {
        if (GetAsyncKeyState(key) & 0x8000)
            return true;
    }
    return false;
}

// Keys go to the foreground window: it must be `window` or a window of the same root owner (a
// dialog of the spreadsheet's), never one of another program, or of this one.
bool inForeground(HWND window) {
    const HWND foreground = GetForegroundWindow();
    return foreground && GetAncestor(foreground, GA_ROOTOWNER) == GetAncestor(window, GA_ROOTOWNER);
}

bool waitForForeground(HWND window, int milliseconds) {
    return waitUntil(
        SteadyWaitClock(), pumpBriefly, [window] { return inForeground(window); }, milliseconds);
}

INPUT keyEvent(WORD virtualKey, WORD scanCode, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = scanCode;
    input.ki.dwFlags = flags;
    return input;
}

// Windows lets a program take the foreground only in some cases, above all when its process has
// the foreground or received the last input event. The lookup window is in the foreground when
// the user chooses a member, so the first call normally works; otherwise joining the foreground
// thread's input, and then a key event of this process's own, are the documented ways through.
bool bringForward(HWND window) {
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    if (SetForegroundWindow(window) && waitForForeground(window, kFocusTimeoutMs / 4))
        return true;
    const DWORD self = GetCurrentThreadId();
    const DWORD foreground = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    const bool attached = foreground != 0 && foreground != self && AttachThreadInput(self, foreground, TRUE);
    BringWindowToTop(window);
    SetForegroundWindow(window);
    if (attached)
        AttachThreadInput(self, foreground, FALSE);
    if (!inForeground(window)) {
        INPUT alt[2] = {keyEvent(VK_MENU, WORD(MapVirtualKeyW(VK_MENU, MAPVK_VK_TO_VSC)), 0),
                        keyEvent(VK_MENU, WORD(MapVirtualKeyW(VK_MENU, MAPVK_VK_TO_VSC)), KEYEVENTF_KEYUP)};
        SendInput(1, &alt[0], sizeof(INPUT));
        SetForegroundWindow(window);
        SendInput(1, &alt[1], sizeof(INPUT));
    }
    return waitForForeground(window, kFocusTimeoutMs);
}

// The navigation block shares its scan codes with the numeric keypad; without the extended flag a
// program that reads scan codes takes these keys for keypad keys.
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
    case VK_NUMLOCK:
    case VK_CANCEL:
        return true;
    default:
        return false;
    }
}

INPUT virtualKeyEvent(WORD virtualKey, bool up, HKL layout) {
    return keyEvent(virtualKey, WORD(MapVirtualKeyExW(virtualKey, MAPVK_VK_TO_VSC, layout)),
                    (up ? KEYEVENTF_KEYUP : 0) | (isExtended(virtualKey) ? KEYEVENTF_EXTENDEDKEY : 0));
}

// One event, at least the gap after the one before, serving the clipboard while it waits;
// `justBefore` runs once the gap is over. The wait spins: a wait of a millisecond or two for the
// system's timers overshoots by as much again, which, over the few dozen events of a transfer, the
// user would notice.
void sendEvent(INPUT event, const std::function<void()>& justBefore = {}) {
    static Clock::time_point previous;
    const Clock::time_point due = previous + std::chrono::milliseconds(kGapMs);
    while (Clock::now() < due)
        pumpMessagesFor(0);
    if (justBefore)
        justBefore();
    SendInput(1, &event, sizeof(INPUT));
    previous = Clock::now();
}

// A stroke: its modifiers pressed, the key (the key of the spreadsheet's keyboard layout for a
// character, with Shift where the layout needs it, else the character itself as a Unicode event),
// the modifiers released. The layout is the spreadsheet's: on a Japanese keyboard "+", "=", "^",
// "@" or ":" sit on other keys than on an American one. `beforeKey` runs just before the key goes
// down.
void sendStroke(const KeyStroke& stroke, HKL layout, const std::function<void()>& beforeKey) {
    WORD virtualKey = namedKeyCodes(stroke.named).windowsVirtualKey;
    bool shift = stroke.modifiers & KeyStroke::Shift;
    std::u16string units;
    if (stroke.named == NamedKey::None) {
        const char32_t c = stroke.character;
        units = c < 0x10000 ? std::u16string(1, char16_t(c))
                            : std::u16string{char16_t(0xD7C0 + (c >> 10)), char16_t(0xDC00 | (c & 0x3FF))};
        const SHORT layoutKey = units.size() == 1 ? VkKeyScanExW(wchar_t(units[0]), layout) : SHORT(-1);
        if (layoutKey != -1 && !(layoutKey & 0xFE00)) { // typed with Shift at most (no AltGr, no kana)
            virtualKey = LOBYTE(layoutKey);
            shift = shift || (layoutKey & 0x0100);
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
        sendEvent(virtualKeyEvent(modifier, false, layout));
    if (virtualKey != 0) {
        sendEvent(virtualKeyEvent(virtualKey, false, layout), beforeKey);
        sendEvent(virtualKeyEvent(virtualKey, true, layout));
    } else {
        for (std::size_t i = 0; i < units.size(); ++i)
            sendEvent(keyEvent(0, WORD(units[i]), KEYEVENTF_UNICODE),
                      i == 0 ? beforeKey : std::function<void()>());
        for (const char16_t unit : units)
            sendEvent(keyEvent(0, WORD(unit), KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        sendEvent(virtualKeyEvent(*it, true, layout));
}

void setClipboardBytes(UINT format, const void* bytes, std::size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory)
        return;
    std::memcpy(GlobalLock(memory), bytes, size);
    GlobalUnlock(memory);
    if (!SetClipboardData(format, memory))
        GlobalFree(memory);
}

// In the open clipboard: the text offered for rendering, marked as a password manager marks its
// texts, so that Windows keeps it out of the clipboard history (which holds 25 entries: ten members
// would push out everything the user copied) and the cloud clipboard, and monitors leave it alone.
void offerText() {
    static const UINT kMarks[] = {RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing"),
                                  RegisterClipboardFormatW(L"CanIncludeInClipboardHistory"),
                                  RegisterClipboardFormatW(L"CanUploadToCloudClipboard")};
    EmptyClipboard();
    const DWORD no = 0;
    for (const UINT mark : kMarks)
        setClipboardBytes(mark, &no, sizeof no);
    SetClipboardData(CF_UNICODETEXT, nullptr);
}

class Win32TransferSink final : public TransferSink {
public:
    Win32TransferSink();
    ~Win32TransferSink() override;

    TransferFault AppActivate(const std::u16string& title) override;
    TransferFault ClipboardClear() override;
    TransferFault ClipboardSetText(const std::u16string& text) override;
    TransferFault SendKeys(const KeySequence& keys, bool wait) override;

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void onRenderFormat(UINT format);
    void onRenderAllFormats();
    void onReoffer();
    void onClearTimer();

    bool openClipboard();
    void putText(const std::optional<std::u16string>& text);
    void empty();
    PasteWatch::Seen seen() const;
    bool pasteOnItsWay();
    void pasteKeyGoes();
    bool targetGone() const;
    TransferFault finishPaste();
    TransferFault checkTarget();
    TransferFault targetLost();
    void askTarget();
    bool targetAnswered() const;
    bool answersWithin();
    bool stillAnswering();
    void waitForReleasedKeys();
    void useFineTimer();

    HWND m_window = nullptr;
    bool m_fineTimer = false; // timeBeginPeriod(1) in force
    // The newest text the transfer has put on the clipboard (none once it has emptied it), which
    // every program but the spreadsheet gets; whether the clipboard is ours with the text offered
    // for rendering, whether the last fetch left it rendered, how often it may be offered again
    // after other programs' fetches, and whether it is to be emptied once the paste is over.
    std::optional<std::u16string> m_newest;
    bool m_offering = false;
    bool m_rendered = false;
    int m_reoffersLeft = 0;
    bool m_clearLater = false;
    // The text of the last paste keystroke: every fetch of the spreadsheet until the next one gets
    // it, whatever has been put on the clipboard since.
    std::optional<std::u16string> m_pasted;
    // Every fetch of the spreadsheet so far; when the last came; those that came after it had
    // answered a message sent after the fetch before; the message sent after the last (0 until it
    // has been sent, once the spreadsheet has closed the clipboard again); the offers left for it.
    int m_fetches = 0;
    std::int64_t m_lastFetch = 0;
    int m_afterAnswer = 0;
    bool m_askAfterFetch = false;
    std::uint64_t m_askedAfterFetch = 0;
    int m_spreadsheetReoffersLeft = 0;
    // The current spreadsheet window, its keyboard layout, and what the pastes into it have taught
    // about its fetches.
    HWND m_target = nullptr;
    DWORD m_targetProcess = 0;
    HKL m_layout = nullptr;
    SteadyWaitClock m_clock;
    PasteWatch m_pasteWatch{m_clock};
    // The fetches before the paste followed; stalled: the spreadsheet stopped answering while the
    // paste was on its way.
    int m_fetchesBeforePaste = 0;
    int m_afterAnswerBeforePaste = 0;
    bool m_pasteStalled = false;
    // The last message sent to the target to see whether it answers, and when.
    std::uint64_t m_asked = 0;
    std::int64_t m_askedAt = 0;
};

Win32TransferSink::Win32TransferSink() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass); // fails harmlessly when a sink before this one registered it
    m_window = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleW(nullptr), this);
}

Win32TransferSink::~Win32TransferSink() {
    if (m_fineTimer)
        endTimerPeriod()(1);
    DestroyWindow(m_window); // leaves the text on the clipboard (WM_RENDERALLFORMATS)
}

LRESULT CALLBACK Win32TransferSink::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* sink = reinterpret_cast<Win32TransferSink*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!sink)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_RENDERFORMAT:
        sink->onRenderFormat(UINT(wParam));
        return 0;
    case WM_RENDERALLFORMATS:
        sink->onRenderAllFormats();
        return 0;
    case kReofferMessage:
        sink->onReoffer();
        return 0;
    case WM_TIMER:
        KillTimer(window, wParam);
        if (wParam == kReofferTimer)
            sink->onReoffer();
        else if (wParam == kClearTimer)
            sink->onClearTimer();
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// A program fetches the text: it holds the clipboard open meanwhile. A spreadsheet may fetch
// more than once and use what it got last, so once it has closed the clipboard the text is offered
// again for rendering: every fetch, not only the first, then shows here.
void Win32TransferSink::onRenderFormat(UINT format) {
    if (format != CF_UNICODETEXT || !m_offering)
        return;
    DWORD reader = 0;
    GetWindowThreadProcessId(GetOpenClipboardWindow(), &reader);
    if (reader != 0 && reader == m_targetProcess) {
        // Whether it had answered a message sent after its fetch of this paste before this one (it
        // may well answer one before it gets to the paste keystroke).
        const bool answeredBefore = m_askedAfterFetch != 0 && answeredMessage >= m_askedAfterFetch;
        m_afterAnswer += answeredBefore && m_fetches > m_fetchesBeforePaste ? 1 : 0;
        m_askedAfterFetch = 0;
        m_askAfterFetch = true;
        ++m_fetches;
        m_lastFetch = m_clock.milliseconds();
        putText(m_pasted ? m_pasted : m_newest);
        if (m_spreadsheetReoffersLeft > 0)
            --m_spreadsheetReoffersLeft;
        PostMessageW(m_window, kReofferMessage, 0, 0);
        return;
    }
    // Another program that reads the clipboard (a clipboard manager, one that opened it without a
    // window) gets nothing while the paste is on its way: rendered for it, the text would stay
    // rendered and the spreadsheet's own fetches would no longer show here. Before and after, it is
    // served.
    if (!m_newest || pasteOnItsWay())
        return;
    putText(m_newest);
    if (m_reoffersLeft > 0) {
        --m_reoffersLeft;
        PostMessageW(m_window, kReofferMessage, 0, 0);
    }
}

// The window goes while the text is on offer: the text stays on the clipboard.
void Win32TransferSink::onRenderAllFormats() {
    if (!m_offering || !OpenClipboard(m_window))
        return;
    if (GetClipboardOwner() == m_window)
        putText(m_newest);
    CloseClipboard();
}

// Once the reader has closed the clipboard: the text offered again, and, after the spreadsheet's
// fetch, a message sent to it. Its answer comes only once it handles its messages again, so if it
// fetched inside its handling of the paste keystroke, only once that is done.
void Win32TransferSink::onReoffer() {
    if (!OpenClipboard(m_window)) { // the fetching program has not closed it yet
        SetTimer(m_window, kReofferTimer, 1, nullptr);
        return;
    }
    if (m_offering && GetClipboardOwner() == m_window &&
        (m_reoffersLeft > 0 || m_spreadsheetReoffersLeft > 0)) {
        offerText(); // else another program has put its own data there
        m_rendered = false;
    }
    CloseClipboard();
    if (m_askAfterFetch) {
        m_askAfterFetch = false;
        askTarget();
        m_askedAfterFetch = m_asked;
    }
}

// The clipboard is emptied as soon as the spreadsheet is done with the paste (and no other program
// holds it open).
void Win32TransferSink::onClearTimer() {
    if (!m_clearLater)
        return;
    if (pasteOnItsWay() || !OpenClipboard(m_window)) {
        SetTimer(m_window, kClearTimer, kClearCheckMs, nullptr);
        return;
    }
    empty();
    CloseClipboard();
}

void Win32TransferSink::putText(const std::optional<std::u16string>& text) {
    if (!text)
        return;
    setClipboardBytes(CF_UNICODETEXT, text->c_str(), (text->size() + 1) * sizeof(char16_t));
    m_rendered = true;
}

// In the open clipboard.
void Win32TransferSink::empty() {
    m_offering = false;
    m_clearLater = false;
    EmptyClipboard();
}

PasteWatch::Seen Win32TransferSink::seen() const {
    return {m_fetches - m_fetchesBeforePaste, m_lastFetch,
            m_askedAfterFetch != 0 && answeredMessage >= m_askedAfterFetch,
            m_afterAnswer - m_afterAnswerBeforePaste};
}

// From the paste keystroke until the spreadsheet is done with the paste.
bool Win32TransferSink::pasteOnItsWay() {
    return m_pasteWatch.state(seen()) == PasteWatch::State::Fetching;
}

// The paste keystroke goes down now: from here on the spreadsheet's fetches are this paste's.
void Win32TransferSink::pasteKeyGoes() {
    m_pasted = m_newest;
    m_fetchesBeforePaste = m_fetches;
    m_afterAnswerBeforePaste = m_afterAnswer;
    m_askedAfterFetch = 0;
    m_spreadsheetReoffersLeft = kMaxSpreadsheetReoffers;
    m_pasteStalled = false;
    m_pasteWatch.pasted(m_clock.milliseconds());
}

// Another program may hold the clipboard for a moment.
bool Win32TransferSink::openClipboard() {
    return waitUntil(
        m_clock, pumpBriefly, [this] { return OpenClipboard(m_window) != FALSE; }, kClipboardBusyTimeoutMs);
}

// Whether the spreadsheet handles its messages is asked with a message sent without waiting: this
// program goes on serving the clipboard and painting its windows meanwhile, and the spreadsheet
// may be fetching the clipboard from it at that very moment.
void Win32TransferSink::askTarget() {
    ++m_asked;
    m_askedAt = m_clock.milliseconds();
    SendMessageCallbackW(m_target, WM_NULL, 0, 0, onAnswer, ULONG_PTR(m_asked));
}

bool Win32TransferSink::targetAnswered() const {
    return answeredMessage >= m_asked;
}

// The target answers a message sent now within kAnswerTimeoutMs.
bool Win32TransferSink::answersWithin() {
    askTarget();
    waitUntil(
        m_clock, pumpBriefly, [this] { return targetAnswered() || targetGone(); }, kAnswerTimeoutMs);
    return targetAnswered();
}

// During a wait: false once the target has left a message unanswered for kAnswerTimeoutMs.
bool Win32TransferSink::stillAnswering() {
    const std::int64_t now = m_clock.milliseconds();
    if (!targetAnswered())
        return now - m_askedAt < kAnswerTimeoutMs;
    if (now - m_askedAt >= kAskAgainMs)
        askTarget();
    return true;
}

// A window that closes is hidden first, and gives up the foreground then, before it is destroyed.
bool Win32TransferSink::targetGone() const {
    return !IsWindow(m_target) || !IsWindowVisible(m_target);
}

// The target has gone, or stopped handling its input. A paste into a window that has gone is
// over; one into a spreadsheet that stopped is still on its way.
TransferFault Win32TransferSink::targetLost() {
    if (targetGone()) {
        m_pasteWatch.forget();
        return TransferFault::WindowClosed;
    }
    m_pasteStalled = m_pasteWatch.following();
    return TransferFault::NotResponding;
}

// Before keys: the target is there, handles its messages and has the keyboard.
TransferFault Win32TransferSink::checkTarget() {
    if (targetGone() || IsHungAppWindow(m_target) || !answersWithin())
        return targetLost();
    return inForeground(m_target) ? TransferFault::None : TransferFault::NotFocused;
}

// Emptied at once when no paste can still fetch; else the spreadsheet gets the paste's text until
// it is done with it, and the clipboard is emptied then.
TransferFault Win32TransferSink::ClipboardClear() {
    m_newest.reset();
    if (!pasteOnItsWay()) {
        if (!openClipboard())
            return TransferFault::ClipboardBusy;
        empty();
        CloseClipboard();
        return TransferFault::None;
    }
    m_clearLater = true;
    SetTimer(m_window, kClearTimer, kClearCheckMs, nullptr);
    return TransferFault::None;
}

// Windows derives the ANSI and OEM forms from the Unicode text for programs that ask for those.
// A paste still on its way is not waited for: its fetches get its own text all the same.
TransferFault Win32TransferSink::ClipboardSetText(const std::u16string& text) {
    if (!openClipboard())
        return TransferFault::ClipboardBusy;
    m_newest = text;
    m_offering = true;
    m_clearLater = false;
    m_reoffersLeft = kMaxReoffers;
    offerText();
    m_rendered = false;
    CloseClipboard();
    return TransferFault::None;
}

TransferFault Win32TransferSink::AppActivate(const std::u16string& title) {
    // Nothing can fetch a paste into a window that has gone: this transfer need not hear of it.
    if (m_pasteWatch.following() && targetGone())
        m_pasteWatch.forget();
    if (const TransferFault fault = finishPaste(); fault != TransferFault::None)
        return fault;
    TopLevelWindows found;
    EnumWindows(collectTopLevelWindow, reinterpret_cast<LPARAM>(&found));
    const std::ptrdiff_t match = matchWindowTitle(found.titles, title);
    if (match < 0)
        return TransferFault::NoWindow;
    const HWND window = found.windows[std::size_t(match)];
    useFineTimer();
    waitForReleasedKeys();
    if (!bringForward(window))
        return TransferFault::NotFocused;
    if (window != m_target) {
        m_target = window;
        GetWindowThreadProcessId(window, &m_targetProcess);
        m_pasteWatch.forget();
        m_pasted.reset();
    }
    m_layout = GetKeyboardLayout(GetWindowThreadProcessId(window, nullptr));
    return TransferFault::None;
}

// A paste keystroke goes only once the paste before it is over, with this program's text on the
// clipboard offered for rendering (another program may have replaced it, or a fetch left it
// rendered, and the spreadsheet's fetches would not show), and the clipboard free to open. Keys
// after it go at once: they queue up behind the paste in the spreadsheet.
TransferFault Win32TransferSink::SendKeys(const KeySequence& keys, bool wait) {
    if (keys.strokes.empty())
        return TransferFault::None;
    const bool paste = wait && keys.pastes() && m_newest;
    if (paste) {
        if (const TransferFault fault = finishPaste(); fault != TransferFault::None)
            return fault;
    }
    if (const TransferFault fault = checkTarget(); fault != TransferFault::None)
        return fault;
    if (paste) {
        if (!openClipboard())
            return TransferFault::ClipboardBusy;
        if (GetClipboardOwner() != m_window || m_rendered || !m_offering) {
            m_offering = true;
            offerText();
            m_rendered = false;
        }
        CloseClipboard();
    }
    // The focus can go in the middle (the window closes, the user clicks elsewhere): each stroke
    // goes only while the target still has it.
    for (std::size_t i = 0; i < keys.strokes.size(); ++i) {
        if (targetGone())
            return targetLost();
        if (!inForeground(m_target))
            return TransferFault::NotFocused;
        const bool pasteKey = paste && keys.strokes[i].pastes();
        sendStroke(keys.strokes[i], m_layout,
                   pasteKey ? [this] { pasteKeyGoes(); } : std::function<void()>());
    }
    if (wait && !paste)
        pumpMessagesFor(kKeysSettleMs);
    return TransferFault::None;
}

// Waits until the paste followed is over: until then the spreadsheet may still fetch it, and a
// fetch after the next paste keystroke could not be told from one of that paste. A spreadsheet
// that stopped answering with the paste in its queue fetches it when it comes back, and gets its
// text then; the next paste waits for it again.
TransferFault Win32TransferSink::finishPaste() {
    if (!m_pasteWatch.following())
        return TransferFault::None;
    if (targetGone() || (m_pasteStalled && !answersWithin()))
        return targetLost();
    if (m_pasteStalled) { // its first fetch is waited for from now on
        m_pasteStalled = false;
        m_pasteWatch.restarted(m_clock.milliseconds());
    }
    bool stopped = false;
    const PasteWatch::State end = m_pasteWatch.wait(
        pumpBriefly, [this] { return seen(); },
        [this, &stopped] {
            stopped = targetGone() || !stillAnswering();
            return stopped;
        });
    // Not fetched is not fetched only from a spreadsheet that handles its input: one that does
    // not may fetch it when it comes back.
    const bool stalled = end == PasteWatch::State::NotFetched && !answersWithin();
    if (stalled)
        m_pasteWatch.restarted(m_clock.milliseconds());
    if (stopped || stalled)
        return targetLost();
    if (end == PasteWatch::State::NotFetched)
        return TransferFault::NotFetched;
    return end == PasteWatch::State::Unexplained ? TransferFault::FetchedLate : TransferFault::None;
}

// The gaps between key events are a few milliseconds, finer than the system's default tick. The
// finer tick is asked for at the first transfer, not at the start.
void Win32TransferSink::useFineTimer() {
    if (m_fineTimer)
        return;
    m_fineTimer = beginTimerPeriod() && endTimerPeriod() && beginTimerPeriod()(1) == TIMERR_NOERROR;
}

// A member chosen with the keyboard starts the transfer on the key's press: its release would go
// to the spreadsheet once that is in the foreground, in the middle of the keystrokes sent there.
// Letting the user's keys go up first sends that release to this program instead.
void Win32TransferSink::waitForReleasedKeys() {
    waitUntil(
        m_clock, pumpBriefly, [] { return !anyKeyDown(); }, kHeldKeysTimeoutMs);
}

} // namespace

std::unique_ptr<TransferSink> createPlatformTransferSink() {
    return std::make_unique<Win32TransferSink>();
}

#include "X11TransferSink.h"

#include "EventPump.h"
#include "X11Connection.h"
#include "X11WindowActivation.h"

#include <QClipboard>
#include <QGuiApplication>

#include <algorithm>
#include <iterator>

namespace {

// Once the learned number of data requests has come, time for the last answer to leave.
constexpr int kSettleMs = 4;
constexpr int kPollMs = 2;
// After other keystrokes with wait: time for the window to handle the events the server has made.
constexpr int kKeysSettleMs = 30;

bool anyKeyDown(xcb_connection_t* c) {
    const X11Reply<xcb_query_keymap_reply_t> reply(xcb_query_keymap_reply(c, xcb_query_keymap(c), nullptr));
    return reply && std::any_of(std::begin(reply->keys), std::end(reply->keys),
                                [](uint8_t bits) { return bits != 0; });
}

void pump() {
    pumpEventsFor(kPollMs);
}

} // namespace

X11TransferSink::X11TransferSink(X11Connection& connection)
    : m_connection(connection), m_watcher(connection, [this](xcb_window_t w) { return belongsToTarget(w); }),
      m_keys(connection), m_pasteWatch(m_clock, kSettleMs) {}

TransferFault X11TransferSink::AppActivate(const std::u16string& title) {
    waitForReleasedKeys();
    const xcb_window_t window = findX11Window(m_connection, title);
    if (window == XCB_NONE)
        return TransferFault::NoWindow;
    if (window != m_target) {
        m_target = window;
        m_targetProcess = m_connection.processOf(window);
        m_targetClients.clear();
        m_pasteWatch.forget();
    }
    activateX11Window(m_connection, window);
    return readyForKeys(true);
}

TransferFault X11TransferSink::ClipboardClear() {
    if (const TransferFault fault = targetOpen(); fault != TransferFault::None)
        return fault;
    QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
    return TransferFault::None;
}

TransferFault X11TransferSink::ClipboardSetText(const std::u16string& text) {
    if (const TransferFault fault = targetOpen(); fault != TransferFault::None)
        return fault;
    QGuiApplication::clipboard()->setText(QString::fromStdU16String(text), QClipboard::Clipboard);
    return TransferFault::None;
}

TransferFault X11TransferSink::SendKeys(const KeySequence& keys, bool wait) {
    if (keys.strokes.empty())
        return TransferFault::None;
    if (const TransferFault fault = readyForKeys(false); fault != TransferFault::None)
        return fault;
    // Whatever another program has put on the clipboard since is not pasted.
    if (keys.pastes() && !QGuiApplication::clipboard()->ownsClipboard())
        return TransferFault::ClipboardBusy;
    const X11KeyInjector::Sent sent = m_keys.send(keys.strokes);
    if (!wait)
        return TransferFault::None;
    if (keys.pastes() && sent.firstKeyPress != 0)
        return waitForPaste(sent.firstKeyPress);
    waitUntilMade();
    pumpEventsFor(kKeysSettleMs);
    return TransferFault::None;
}

// A window of the target's own X client, or of another client of the same process (a spreadsheet
// may ask for the clipboard through a connection of its own).
bool X11TransferSink::belongsToTarget(xcb_window_t window) {
    if (m_target == XCB_NONE)
        return false;
    const uint32_t client = m_connection.clientOf(window);
    if (client == m_connection.clientOf(m_target))
        return true;
    if (const auto known = m_targetClients.find(client); known != m_targetClients.end())
        return known->second;
    // A window already gone tells nothing about its client: asked again with the next one.
    const uint32_t process = m_connection.processOf(window);
    if (process != 0)
        m_targetClients[client] = process == m_targetProcess;
    return process != 0 && process == m_targetProcess;
}

// The keys go where the input focus is: into the target window or one inside it. A window manager
// may also name the target active while the focus sits in a window of the target's own program
// outside it; the focus on the pointer's window or in any other program's window does not count.
bool X11TransferSink::targetHasFocus() {
    if (m_connection.hasFocus(m_target))
        return true;
    const xcb_window_t focus = m_connection.focusWindow();
    return focus != XCB_NONE && focus != XCB_INPUT_FOCUS_POINTER_ROOT &&
           m_connection.activeWindow() == m_target && belongsToTarget(focus);
}

TransferFault X11TransferSink::targetOpen() const {
    return m_target == XCB_NONE || m_connection.isOpen(m_target) ? TransferFault::None
                                                                 : TransferFault::WindowClosed;
}

// The target is open, answers, and holds the focus; right after the activation at two looks a
// moment apart: a window that hands the focus on as soon as it gets it would have the keys typed
// into whatever takes it next.
TransferFault X11TransferSink::readyForKeys(bool activated) {
    if (const TransferFault fault = targetOpen(); fault != TransferFault::None)
        return fault;
    if (!m_ping.answers(m_target, m_clock, pump, kAnswerTimeoutMs))
        return m_connection.isOpen(m_target) ? TransferFault::NotResponding : TransferFault::WindowClosed;
    bool before = false;
    const bool focused = waitUntil(
        m_clock, pump,
        [&] {
            const bool now = targetHasFocus();
            const bool held = (before || !activated) && now;
            before = now;
            return held;
        },
        kFocusTimeoutMs);
    if (focused)
        return TransferFault::None;
    return m_connection.isOpen(m_target) ? TransferFault::NotFocused : TransferFault::WindowClosed;
}

TransferFault X11TransferSink::waitForPaste(uint32_t keyPress) {
    // The previous paste's requests, those that came after its wait included.
    const int previousInAll =
        m_watcher.dataRequestsSince(m_previousPaste) - m_watcher.dataRequestsSince(keyPress);
    m_previousPaste = keyPress;
    const bool fetched = m_pasteWatch.wait(
        m_clock.milliseconds(), previousInAll,
        [this] {
            pump();
            m_keys.allMade(); // notes the time, so that the keys after the paste need no first gap
        },
        [this, keyPress] {
            return PasteWatch::Fetches{m_watcher.dataRequestsSince(keyPress),
                                       m_clock.milliseconds() - m_watcher.millisecondsSinceLastRequest()};
        });
    if (fetched)
        return TransferFault::None;
    return m_connection.isOpen(m_target) ? TransferFault::NotFetched : TransferFault::WindowClosed;
}

void X11TransferSink::waitUntilMade() {
    while (!m_keys.allMade())
        pump();
}

// A member chosen with the keyboard starts the transfer on the key's press: its release would go
// to the spreadsheet once that is active, in the middle of the keystrokes sent there, and a
// spreadsheet loses a key that comes right after another. Letting the user's keys go up first
// sends that release to this program instead.
void X11TransferSink::waitForReleasedKeys() {
    waitUntil(
        m_clock, pump, [this] { return !anyKeyDown(m_connection.get()); }, kHeldKeysTimeoutMs);
}

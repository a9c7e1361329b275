#include "X11TransferSink.h"

#include "EventPump.h"
#include "X11Connection.h"
#include "X11WindowActivation.h"

#include <QClipboard>
#include <QGuiApplication>

#include <algorithm>
#include <iterator>

namespace {

constexpr int kPollMs = 2;
// While the clipboard is to be emptied once the spreadsheet is done with a paste, how often that
// is looked at.
constexpr int kClearCheckMs = 50;
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
    : m_connection(connection), m_offer(std::make_shared<X11ClipboardOffer>()),
      m_watcher(
          connection, [this](xcb_window_t w) { return belongsToTarget(w); }, *m_offer,
          [this] { onSpreadsheetFetch(); }),
      m_keys(connection) {
    m_clearTimer.setInterval(kClearCheckMs);
    m_clearTimer.callOnTimeout([this] {
        if (m_clearLater && !pasteMayFetch())
            clearNow();
        if (!m_clearLater)
            m_clearTimer.stop();
    });
}

// Another window forgets what the pastes into the last one taught; the same one is first done
// with the paste followed, which may report how it ended.
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
        m_offer->forgetPastes();
    } else if (const TransferFault fault = finishPaste(); fault != TransferFault::None) {
        return fault;
    }
    activateX11Window(m_connection, window);
    return readyForKeys(true);
}

// Emptied at once when no paste can still fetch; else the spreadsheet gets the paste's text until
// it is done with it, and the clipboard is emptied then.
TransferFault X11TransferSink::ClipboardClear() {
    if (const TransferFault fault = targetOpen(); fault != TransferFault::None)
        return fault;
    m_offer->newest.reset();
    m_putUpLater = false;
    if (!pasteMayFetch()) {
        clearNow();
    } else {
        m_clearLater = true;
        m_clearTimer.start();
    }
    return TransferFault::None;
}

// Put up at once when no paste can still fetch; else at the next paste keystroke, once the paste
// before it is over: a content of its own tells the clipboard managers of the new text, and other
// programs already get it from the content there.
TransferFault X11TransferSink::ClipboardSetText(const std::u16string& text) {
    if (const TransferFault fault = targetOpen(); fault != TransferFault::None)
        return fault;
    m_offer->newest = text;
    m_clearLater = false;
    if (pasteMayFetch())
        m_putUpLater = true;
    else
        putUp();
    return TransferFault::None;
}

TransferFault X11TransferSink::SendKeys(const KeySequence& keys, bool wait) {
    if (keys.strokes.empty())
        return TransferFault::None;
    const bool paste = wait && keys.pastes();
    if (paste) {
        if (const TransferFault fault = finishPaste(); fault != TransferFault::None)
            return fault;
    }
    if (const TransferFault fault = readyForKeys(false); fault != TransferFault::None)
        return fault;
    if (paste) {
        // Whatever another program has put on the clipboard since is not pasted.
        if (!m_owned || !QGuiApplication::clipboard()->ownsClipboard())
            return TransferFault::ClipboardBusy;
        if (m_putUpLater)
            putUp();
    }
    const X11KeyInjector::Sent sent = m_keys.send(keys.strokes);
    if (paste && sent.firstKeyPress != 0) {
        // Requests the server makes from the key press on are this paste's.
        m_offer->pasted(sent.firstKeyPress);
        m_pasteKey = sent.firstKeyPress;
        m_pingBeforeFetch = m_ping.lastAsked();
        m_afterAnswer = 0;
        m_pasteWatch.pasted(m_clock.milliseconds());
    } else if (wait) {
        waitUntilMade();
        pumpEventsFor(kKeysSettleMs);
    }
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

// At each fetch of the spreadsheet, just before Qt answers it: whether the spreadsheet had
// answered the ping sent after its fetch of the paste before this one (it may well answer one
// before it gets to the paste keystroke), and a ping after this one. The spreadsheet gets that
// ping only once it is done with the fetch, and answers it only once it handles its events again.
void X11TransferSink::onSpreadsheetFetch() {
    const bool answered = m_ping.lastAsked() > m_pingBeforeFetch && m_ping.answered(m_pingBeforeFetch + 1);
    m_afterAnswer += answered && m_watcher.fetchesSince(m_pasteKey).count > 1 ? 1 : 0;
    m_pingBeforeFetch = m_ping.lastAsked();
    m_ping.ask(m_target);
}

// The paste followed as PasteWatch needs it.
PasteWatch::Seen X11TransferSink::seen() {
    const X11ClipboardRequestWatcher::Fetches fetches = m_watcher.fetchesSince(m_pasteKey);
    return {fetches.count, fetches.lastAt, fetches.count > 0 && m_ping.answered(m_pingBeforeFetch + 1),
            m_afterAnswer};
}

bool X11TransferSink::pasteMayFetch() {
    return m_pasteWatch.state(seen()) == PasteWatch::State::Fetching;
}

// Waits until the paste followed is over: until then the spreadsheet may still fetch it, and a
// fetch after the next paste keystroke could not be told from one of that paste. A spreadsheet
// that has not answered for kAnswerTimeoutMs since its last fetch is taken for hung.
TransferFault X11TransferSink::finishPaste() {
    if (!m_pasteWatch.following())
        return TransferFault::None;
    bool stopped = false;
    const PasteWatch::State end = m_pasteWatch.wait(
        [this] {
            pump();
            m_keys.allMade(); // notes the time, so that the keys after the paste need no first gap
        },
        [this] { return seen(); },
        [this, &stopped] {
            const PasteWatch::Seen now = seen();
            stopped =
                !m_connection.isOpen(m_target) ||
                (now.fetches > 0 && !now.answered && m_clock.milliseconds() - now.lastAt >= kAnswerTimeoutMs);
            return stopped;
        });
    if (!m_connection.isOpen(m_target))
        return TransferFault::WindowClosed;
    if (stopped)
        return TransferFault::NotResponding;
    if (end == PasteWatch::State::NotFetched)
        return TransferFault::NotFetched;
    return end == PasteWatch::State::Unexplained ? TransferFault::FetchedLate : TransferFault::None;
}

void X11TransferSink::putUp() {
    QMimeData* content = newOfferedContent(m_offer);
    QGuiApplication::clipboard()->setMimeData(content, QClipboard::Clipboard);
    m_owned = content;
    m_putUpLater = false;
}

void X11TransferSink::clearNow() {
    QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
    m_owned = nullptr;
    m_clearLater = false;
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

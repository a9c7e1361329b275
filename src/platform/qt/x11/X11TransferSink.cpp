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

} // namespace

X11TransferSink::X11TransferSink(X11Connection& connection)
    : m_connection(connection), m_watcher(connection), m_keys(connection), m_pasteWatch(m_clock, kSettleMs) {}

TransferFault X11TransferSink::AppActivate(const std::u16string& title) {
    waitForReleasedKeys();
    const xcb_window_t window = findX11Window(m_connection, title);
    if (window == XCB_NONE)
        return TransferFault::NoWindow;
    // The window exists, so the activation counts as done even when the focus is slow to arrive.
    activateX11Window(m_connection, window);
    if (window != m_target) {
        m_target = window;
        m_pasteWatch.forget();
    }
    return TransferFault::None;
}

TransferFault X11TransferSink::ClipboardClear() {
    QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
    return TransferFault::None;
}

TransferFault X11TransferSink::ClipboardSetText(const std::u16string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdU16String(text), QClipboard::Clipboard);
    return TransferFault::None;
}

TransferFault X11TransferSink::SendKeys(const KeySequence& keys, bool wait) {
    const X11KeyInjector::Sent sent = m_keys.send(keys.strokes);
    if (!wait || keys.strokes.empty())
        return TransferFault::None;
    if (keys.pastes() && QGuiApplication::clipboard()->ownsClipboard() && sent.firstKeyPress != 0)
        return waitForPaste(sent.firstKeyPress);
    waitUntilMade();
    pumpEventsFor(kKeysSettleMs);
    return TransferFault::None;
}

TransferFault X11TransferSink::waitForPaste(uint32_t keyPress) {
    // The previous paste's requests, those that came after its wait included.
    const int previousInAll =
        m_watcher.dataRequestsSince(m_previousPaste) - m_watcher.dataRequestsSince(keyPress);
    m_previousPaste = keyPress;
    const bool fetched = m_pasteWatch.wait(
        m_clock.milliseconds(), previousInAll,
        [this] {
            pumpEventsFor(kPollMs);
            m_keys.allMade(); // notes the time, so that the keys after the paste need no first gap
        },
        [this, keyPress] {
            return PasteWatch::Fetches{m_watcher.dataRequestsSince(keyPress),
                                       m_clock.milliseconds() - m_watcher.millisecondsSinceLastRequest()};
        });
    return fetched ? TransferFault::None : TransferFault::NotFetched;
}

void X11TransferSink::waitUntilMade() {
    while (!m_keys.allMade())
        pumpEventsFor(kPollMs);
}

// A member chosen with the keyboard starts the transfer on the key's press: its release would go
// to the spreadsheet once that is active, in the middle of the keystrokes sent there, and a
// spreadsheet loses a key that comes right after another. Letting the user's keys go up first
// sends that release to this program instead.
void X11TransferSink::waitForReleasedKeys() {
    waitUntil(
        m_clock, [] { pumpEventsFor(kPollMs); }, [this] { return !anyKeyDown(m_connection.get()); },
        kHeldKeysTimeoutMs);
}

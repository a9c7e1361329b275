#include "X11TransferSink.h"

#include "EventPump.h"
#include "X11Connection.h"
#include "X11WindowActivation.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>

#include <algorithm>
#include <iterator>

namespace {

// Pastes watched with the long quiet time before the learned number of requests is trusted.
constexpr int kLearningPastes = 3;
// Longer than the gaps between the fetches of one paste (a real spreadsheet leaves about 100 ms).
constexpr int kLearningQuietMs = 250;
// Once the learned number of data requests has come, time for the last answer to leave.
constexpr int kSettleMs = 4;
// A paste that has not fetched by then never will (the keystroke went elsewhere); Qt itself gives
// up on a clipboard transfer after 5 s.
constexpr int kFirstFetchTimeoutMs = 3000;
constexpr int kPollMs = 2;
// After other keystrokes with wait: time for the window to handle the events the server has made.
constexpr int kKeysSettleMs = 30;
// How long the activation waits for the user to let go of the keys (longer means a key held down
// on purpose, say to run through the list, which must not stop the transfer).
constexpr int kHeldKeysTimeoutMs = 1000;

bool anyKeyDown(xcb_connection_t* c) {
    const X11Reply<xcb_query_keymap_reply_t> reply(xcb_query_keymap_reply(c, xcb_query_keymap(c), nullptr));
    return reply && std::any_of(std::begin(reply->keys), std::end(reply->keys),
                                [](uint8_t bits) { return bits != 0; });
}

} // namespace

X11TransferSink::X11TransferSink(X11Connection& connection)
    : m_connection(connection), m_watcher(connection), m_keys(connection) {}

bool X11TransferSink::AppActivate(const std::u16string& title) {
    waitForReleasedKeys();
    const xcb_window_t window = findX11Window(m_connection, title);
    if (window == XCB_NONE)
        return false;
    // The window exists, so the activation counts as done even when the focus is slow to arrive.
    activateX11Window(m_connection, window);
    if (window != m_target) {
        m_target = window;
        forgetLearning();
    }
    return true;
}

void X11TransferSink::ClipboardClear() {
    QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
}

void X11TransferSink::ClipboardSetText(const std::u16string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdU16String(text), QClipboard::Clipboard);
}

void X11TransferSink::SendKeys(const KeySequence& keys, bool wait) {
    const X11KeyInjector::Sent sent = m_keys.send(keys.strokes);
    if (!wait || keys.strokes.empty())
        return;
    if (keys.pastes() && QGuiApplication::clipboard()->ownsClipboard() && sent.firstKeyPress != 0) {
        waitForPaste(sent.firstKeyPress);
    } else {
        waitUntilMade();
        pumpEventsFor(kKeysSettleMs);
    }
}

void X11TransferSink::waitForPaste(uint32_t keyPress) {
    // Requests that came for the previous paste after it was considered done count for it now.
    if (m_pastesWatched > 0) {
        const int previous =
            m_watcher.dataRequestsSince(m_previousPaste) - m_watcher.dataRequestsSince(keyPress);
        m_learnedDataRequests = std::max(m_learnedDataRequests, previous);
    }
    m_previousPaste = keyPress;
    const bool trusted = m_pastesWatched >= kLearningPastes && m_learnedDataRequests > 0;
    QElapsedTimer clock;
    clock.start();
    int requests = 0;
    for (;;) {
        pumpEventsFor(kPollMs);
        m_keys.allMade(); // notes the time, so that the keys after the paste need no first gap
        requests = m_watcher.dataRequestsSince(keyPress);
        if (requests == 0) {
            if (clock.elapsed() > kFirstFetchTimeoutMs)
                break;
            continue;
        }
        const int quietMs = trusted && requests >= m_learnedDataRequests ? kSettleMs : kLearningQuietMs;
        if (m_watcher.millisecondsSinceLastRequest() >= quietMs)
            break;
    }
    m_learnedDataRequests = std::max(m_learnedDataRequests, requests);
    ++m_pastesWatched;
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
    QElapsedTimer clock;
    clock.start();
    while (anyKeyDown(m_connection.get()) && clock.elapsed() < kHeldKeysTimeoutMs)
        pumpEventsFor(kPollMs);
}

void X11TransferSink::forgetLearning() {
    m_pastesWatched = 0;
    m_learnedDataRequests = 0;
    m_previousPaste = 0;
}

#include "X11TransferSink.h"

#include "EventPump.h"
#include "X11WindowActivation.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>

#include <algorithm>
#include <cstdlib>
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

xcb_connection_t* applicationConnection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t rootOf(xcb_connection_t* c) {
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

bool isPaste(const KeySequence& keys) {
    for (const KeyStroke& stroke : keys.strokes) {
        const bool ctrlV =
            (stroke.modifiers & KeyStroke::Ctrl) && (stroke.character == U'v' || stroke.character == U'V');
        const bool shiftInsert = (stroke.modifiers & KeyStroke::Shift) && stroke.named == NamedKey::Insert;
        if (ctrlV || shiftInsert)
            return true;
    }
    return false;
}

bool anyKeyDown(xcb_connection_t* c) {
    xcb_query_keymap_reply_t* reply = xcb_query_keymap_reply(c, xcb_query_keymap(c), nullptr);
    if (!reply)
        return false;
    const bool down =
        std::any_of(std::begin(reply->keys), std::end(reply->keys), [](uint8_t bits) { return bits != 0; });
    std::free(reply);
    return down;
}

// A member chosen with the keyboard starts the transfer on the key's press: its release would go
// to the spreadsheet once that is active, in the middle of the keystrokes sent there, and a
// spreadsheet loses a key that comes right after another. Letting the user's keys go up first
// sends that release to this program instead.
void waitForReleasedKeys(xcb_connection_t* c) {
    QElapsedTimer clock;
    clock.start();
    while (anyKeyDown(c) && clock.elapsed() < kHeldKeysTimeoutMs)
        PumpEventsFor(kPollMs);
}

} // namespace

bool X11TransferSink::Available() {
    return applicationConnection() != nullptr;
}

X11TransferSink::X11TransferSink()
    : c_(applicationConnection()), root_(rootOf(c_)), watcher_(c_), keys_(c_, root_) {}

bool X11TransferSink::AppActivate(const QString& title) {
    xcb_window_t window = XCB_NONE;
    waitForReleasedKeys(c_);
    if (!ActivateX11WindowByTitle(c_, root_, title, &window))
        return false;
    if (window != target_) {
        target_ = window;
        forgetLearning();
    }
    return true;
}

void X11TransferSink::ClipboardClear() {
    QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
}

void X11TransferSink::ClipboardSetText(const QString& text) {
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

void X11TransferSink::SendKeys(const KeySequence& keys, bool wait) {
    const X11KeyInjector::Sent sent = keys_.send(keys.strokes);
    if (!wait || keys.strokes.isEmpty())
        return;
    if (isPaste(keys) && QGuiApplication::clipboard()->ownsClipboard() && sent.firstKeyPress != 0) {
        waitForPaste(sent.firstKeyPress);
    } else {
        waitUntilMade();
        PumpEventsFor(kKeysSettleMs);
    }
}

void X11TransferSink::waitForPaste(uint32_t keyPress) {
    // Requests that came for the previous paste after it was considered done count for it now.
    if (pastesWatched_ > 0) {
        const int previous =
            watcher_.dataRequestsSince(previousPaste_) - watcher_.dataRequestsSince(keyPress);
        learnedDataRequests_ = std::max(learnedDataRequests_, previous);
    }
    previousPaste_ = keyPress;

    const bool trusted = pastesWatched_ >= kLearningPastes && learnedDataRequests_ > 0;
    QElapsedTimer clock;
    clock.start();
    int requests = 0;
    for (;;) {
        PumpEventsFor(kPollMs);
        keys_.allMade(); // notes the time, so that the keys after the paste need no first gap
        requests = watcher_.dataRequestsSince(keyPress);
        if (requests == 0) {
            if (clock.elapsed() > kFirstFetchTimeoutMs)
                break;
            continue;
        }
        const int quietMs = trusted && requests >= learnedDataRequests_ ? kSettleMs : kLearningQuietMs;
        if (watcher_.millisecondsSinceLastRequest() >= quietMs)
            break;
    }
    learnedDataRequests_ = std::max(learnedDataRequests_, requests);
    ++pastesWatched_;
}

void X11TransferSink::waitUntilMade() {
    while (!keys_.allMade())
        PumpEventsFor(kPollMs);
}

void X11TransferSink::forgetLearning() {
    pastesWatched_ = 0;
    learnedDataRequests_ = 0;
    previousPaste_ = 0;
}

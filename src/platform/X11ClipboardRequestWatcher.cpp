#include "X11ClipboardRequestWatcher.h"

#include "X11Atoms.h"

#include <QCoreApplication>

#include <limits>

namespace {

constexpr std::size_t kRequestsKept = 256;

// Sequence numbers wrap around; `a` is at or after `b` when it lies less than half the range ahead.
bool atOrAfter(uint32_t a, uint32_t b) {
    return int32_t(a - b) >= 0;
}

} // namespace

X11ClipboardRequestWatcher::X11ClipboardRequestWatcher(xcb_connection_t* connection)
    : clipboard_(InternAtom(connection, "CLIPBOARD")), targets_(InternAtom(connection, "TARGETS")),
      timestamp_(InternAtom(connection, "TIMESTAMP")) {
    clock_.start();
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11ClipboardRequestWatcher::~X11ClipboardRequestWatcher() {
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

int X11ClipboardRequestWatcher::dataRequestsSince(uint32_t sequence) const {
    int count = 0;
    for (const uint32_t request : dataRequests_)
        count += atOrAfter(request, sequence) ? 1 : 0;
    return count;
}

qint64 X11ClipboardRequestWatcher::millisecondsSinceLastRequest() const {
    return lastRequestAt_ < 0 ? std::numeric_limits<qint64>::max() : clock_.elapsed() - lastRequestAt_;
}

bool X11ClipboardRequestWatcher::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_SELECTION_REQUEST)
        return false;
    const auto* request = static_cast<const xcb_selection_request_event_t*>(message);
    if (request->selection != clipboard_)
        return false;
    lastRequestAt_ = clock_.elapsed();
    if (request->target != targets_ && request->target != timestamp_) {
        if (dataRequests_.size() >= kRequestsKept)
            dataRequests_.erase(dataRequests_.begin());
        dataRequests_.push_back(event->full_sequence);
    }
    return false; // Qt answers it
}

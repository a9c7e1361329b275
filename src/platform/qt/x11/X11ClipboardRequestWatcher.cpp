#include "X11ClipboardRequestWatcher.h"

#include "X11Connection.h"

#include <QCoreApplication>

#include <limits>
#include <utility>

namespace {

constexpr std::size_t kRequestsKept = 256;

// Sequence numbers wrap around; `a` is at or after `b` when it lies less than half the range ahead.
bool atOrAfter(uint32_t a, uint32_t b) {
    return int32_t(a - b) >= 0;
}

} // namespace

X11ClipboardRequestWatcher::X11ClipboardRequestWatcher(X11Connection& connection,
                                                       std::function<bool(xcb_window_t)> fromSpreadsheet)
    : m_fromSpreadsheet(std::move(fromSpreadsheet)), m_clipboard(connection.atom("CLIPBOARD")),
      m_targets(connection.atom("TARGETS")), m_timestamp(connection.atom("TIMESTAMP")) {
    m_clock.start();
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11ClipboardRequestWatcher::~X11ClipboardRequestWatcher() {
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

int X11ClipboardRequestWatcher::dataRequestsSince(uint32_t sequence) const {
    int count = 0;
    for (const uint32_t request : m_dataRequests)
        count += atOrAfter(request, sequence) ? 1 : 0;
    return count;
}

qint64 X11ClipboardRequestWatcher::millisecondsSinceLastRequest() const {
    return m_lastRequestAt < 0 ? std::numeric_limits<qint64>::max() : m_clock.elapsed() - m_lastRequestAt;
}

bool X11ClipboardRequestWatcher::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_SELECTION_REQUEST)
        return false;
    const auto* request = static_cast<const xcb_selection_request_event_t*>(message);
    if (request->selection != m_clipboard || !m_fromSpreadsheet(request->requestor))
        return false;
    m_lastRequestAt = m_clock.elapsed();
    if (request->target != m_targets && request->target != m_timestamp) {
        if (m_dataRequests.size() >= kRequestsKept)
            m_dataRequests.erase(m_dataRequests.begin());
        m_dataRequests.push_back(event->full_sequence);
    }
    return false; // Qt answers it
}

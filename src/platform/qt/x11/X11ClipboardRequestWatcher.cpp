#include "X11ClipboardRequestWatcher.h"

#include "X11ClipboardOffer.h"
#include "X11Connection.h"

#include <QCoreApplication>

#include <utility>

namespace {

constexpr std::size_t kRequestsKept = 256;

} // namespace

X11ClipboardRequestWatcher::X11ClipboardRequestWatcher(X11Connection& connection,
                                                       std::function<bool(xcb_window_t)> fromSpreadsheet,
                                                       X11ClipboardOffer& offer,
                                                       std::function<void()> onSpreadsheetFetch)
    : m_fromSpreadsheet(std::move(fromSpreadsheet)), m_offer(offer),
      m_onSpreadsheetFetch(std::move(onSpreadsheetFetch)), m_clipboard(connection.atom("CLIPBOARD")),
      m_targets(connection.atom("TARGETS")), m_timestamp(connection.atom("TIMESTAMP")) {
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11ClipboardRequestWatcher::~X11ClipboardRequestWatcher() {
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

X11ClipboardRequestWatcher::Fetches X11ClipboardRequestWatcher::fetchesSince(uint32_t sequence) const {
    Fetches since;
    for (const Fetch& fetch : m_fetches) {
        if (sequenceAtOrAfter(fetch.sequence, sequence))
            since = {since.count + 1, fetch.at};
    }
    return since;
}

bool X11ClipboardRequestWatcher::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    m_offer.answered(); // Qt has answered the request before this event, if it was one
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_SELECTION_REQUEST)
        return false;
    const auto* request = static_cast<const xcb_selection_request_event_t*>(message);
    if (request->selection != m_clipboard)
        return false;
    const bool fromSpreadsheet = m_fromSpreadsheet(request->requestor);
    m_offer.answering(fromSpreadsheet, event->full_sequence);
    if (fromSpreadsheet && request->target != m_targets && request->target != m_timestamp) {
        if (m_fetches.size() >= kRequestsKept)
            m_fetches.erase(m_fetches.begin());
        m_fetches.push_back({event->full_sequence, m_clock.milliseconds()});
        m_onSpreadsheetFetch();
    }
    return false; // Qt answers it
}

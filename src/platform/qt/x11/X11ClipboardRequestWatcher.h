#pragma once

#include <QAbstractNativeEventFilter>
#include <QElapsedTimer>

#include <xcb/xcb.h>

#include <cstdint>
#include <functional>
#include <vector>

class X11Connection;

// Watches the requests that the spreadsheet makes for this process's clipboard content, without
// taking them away from Qt, which answers every program's requests. Only those whose requestor
// window `fromSpreadsheet` accepts are noted: a clipboard manager fetches every new content too,
// at its own moments, and its fetches say nothing about the spreadsheet's paste. A request for the
// content itself (any target but TARGETS and TIMESTAMP) is a data request.
//
// Every X event carries the sequence number of the last request of this connection that the
// server had handled when it made the event, so a request that carries a number at or after the
// number of an injected key press was made after the target received that key.
class X11ClipboardRequestWatcher : public QAbstractNativeEventFilter {
public:
    X11ClipboardRequestWatcher(X11Connection& connection, std::function<bool(xcb_window_t)> fromSpreadsheet);
    ~X11ClipboardRequestWatcher() override;

    // Data requests whose sequence number is at or after `sequence`.
    int dataRequestsSince(uint32_t sequence) const;
    // Milliseconds since the last request of any target; a large value when there was none.
    qint64 millisecondsSinceLastRequest() const;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    std::function<bool(xcb_window_t)> m_fromSpreadsheet;
    xcb_atom_t m_clipboard = XCB_NONE;
    xcb_atom_t m_targets = XCB_NONE;
    xcb_atom_t m_timestamp = XCB_NONE;
    QElapsedTimer m_clock;
    qint64 m_lastRequestAt = -1;
    // Sequence numbers of the data requests seen lately; old ones are dropped.
    std::vector<uint32_t> m_dataRequests;
};

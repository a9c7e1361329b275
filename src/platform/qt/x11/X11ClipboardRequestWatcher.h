#pragma once

#include "link/TransferWaits.h"

#include <QAbstractNativeEventFilter>

#include <xcb/xcb.h>

#include <cstdint>
#include <functional>
#include <vector>

class X11Connection;
class X11ClipboardOffer;

// Watches the requests that programs make for this process's clipboard content, just before Qt
// answers each of them, and tells `offer` whose request it is answering. The spreadsheet's data
// requests are noted: only requests whose requestor window `fromSpreadsheet` accepts, since a
// clipboard manager fetches every new content too, at its own moments, and its fetches say nothing
// about the spreadsheet's paste. A request for the content itself (any target but TARGETS and
// TIMESTAMP) is a data request; `onSpreadsheetFetch` runs at each of the spreadsheet's.
//
// Every X event carries the sequence number of the last request of this connection that the
// server had handled when it made the event, so a request that carries a number at or after the
// number of an injected key press was made after the target received that key.
class X11ClipboardRequestWatcher : public QAbstractNativeEventFilter {
public:
    X11ClipboardRequestWatcher(X11Connection& connection, std::function<bool(xcb_window_t)> fromSpreadsheet,
                               X11ClipboardOffer& offer, std::function<void()> onSpreadsheetFetch);
    ~X11ClipboardRequestWatcher() override;

    // The spreadsheet's data requests whose sequence number is at or after `sequence`, and when
    // the last of them came, on a SteadyWaitClock.
    struct Fetches {
        int count = 0;
        std::int64_t lastAt = 0;
    };
    Fetches fetchesSince(uint32_t sequence) const;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    struct Fetch {
        uint32_t sequence;
        std::int64_t at;
    };

    std::function<bool(xcb_window_t)> m_fromSpreadsheet;
    X11ClipboardOffer& m_offer;
    std::function<void()> m_onSpreadsheetFetch;
    xcb_atom_t m_clipboard = XCB_NONE;
    xcb_atom_t m_targets = XCB_NONE;
    xcb_atom_t m_timestamp = XCB_NONE;
    SteadyWaitClock m_clock;
    // The spreadsheet's data requests seen lately; old ones are dropped.
    std::vector<Fetch> m_fetches;
};

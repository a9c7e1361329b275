#pragma once

#include "link/TransferWaits.h"

#include <xcb/xcb.h>

#include <cstdint>
#include <functional>

// Asks a window's program whether it still handles its events, as window managers do before they
// offer to end a program that hangs: a _NET_WM_PING message that the program sends back to the
// root window once its event loop gets to it. A program busy handling one event (a paste command
// that fetches the clipboard) answers only once it is done with it.
//
// The answers go to whoever listens on the root window, so the ping has an X connection of its own
// that listens only while a ping is unanswered: the application's connection is left to Qt, and
// no events pile up in between.
class X11WindowPing {
public:
    X11WindowPing();
    ~X11WindowPing();
    X11WindowPing(const X11WindowPing&) = delete;
    X11WindowPing& operator=(const X11WindowPing&) = delete;

    // Pings `window` without waiting for the answer; returns the ping's number, which grows with
    // every ping. A program that does not take part in the protocol (or no connection for the
    // ping) counts as having answered at once: the other waits bound that case.
    uint32_t ask(xcb_window_t window);
    // The number of the last ping sent (0 before the first).
    uint32_t lastAsked() const { return m_serial; }
    // Whether an answer has come to ping `number` or to a later one.
    bool answered(uint32_t number);
    // Pings `window` and runs `pump` until its program answers or `timeoutMs` has passed.
    bool answers(xcb_window_t window, const WaitClock& clock, const std::function<void()>& pump,
                 int timeoutMs);

private:
    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = XCB_NONE;
    xcb_atom_t m_protocols = XCB_NONE;
    xcb_atom_t m_ping = XCB_NONE;
    // The window pinged last and whether its program takes part; the last ping and the last answer.
    xcb_window_t m_window = XCB_NONE;
    bool m_takesPart = false;
    uint32_t m_serial = 0;
    uint32_t m_answered = 0;
    bool m_listening = false;

    bool takesPart(xcb_window_t window);
    void listen(bool on);
};

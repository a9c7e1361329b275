#pragma once

#include "link/TransferWaits.h"

#include <xcb/xcb.h>

#include <cstdint>
#include <functional>

// Asks a window's program whether it still handles its events, as window managers do before they
// offer to end a program that hangs: a _NET_WM_PING message that the program sends back to the
// root window once its event loop gets to it.
//
// The answers go to whoever listens on the root window, so the ping has an X connection of its own
// that listens only while it waits: the application's connection is left to Qt, and no events pile
// up in between.
class X11WindowPing {
public:
    X11WindowPing();
    ~X11WindowPing();
    X11WindowPing(const X11WindowPing&) = delete;
    X11WindowPing& operator=(const X11WindowPing&) = delete;

    // Pings `window` and runs `pump` until its program answers or `timeoutMs` has passed. True when
    // it answered, and also when it cannot be asked (its program does not take part in the
    // protocol, or there is no connection for the ping): the other waits bound that case.
    bool answers(xcb_window_t window, const WaitClock& clock, const std::function<void()>& pump,
                 int timeoutMs);

private:
    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = XCB_NONE;
    xcb_atom_t m_protocols = XCB_NONE;
    xcb_atom_t m_ping = XCB_NONE;
    uint32_t m_serial = 0;

    bool takesPart(xcb_window_t window);
    bool answered(xcb_window_t window);
    void listen(bool on);
};

#pragma once

#include "StayOnTop.h"

struct xcb_connection_t;

// Asks an EWMH window manager to keep the window in its "above" layer (_NET_WM_STATE_ABOVE).
// A mapped window gets the request as a _NET_WM_STATE client message to the root window, as the
// EWMH asks of clients; a window not mapped yet gets the state written into its _NET_WM_STATE
// property, which the window manager reads when the window is mapped. The window is never
// re-created or shown again for it.
class X11StayOnTop final : public StayOnTop {
public:
    explicit X11StayOnTop(xcb_connection_t* connection);
    void setAbove(quintptr window, bool above) override;

private:
    xcb_connection_t* m_connection;
};

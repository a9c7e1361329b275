#pragma once

#include <xcb/xcb.h>

#include <string>

class X11Connection;

// The top-level window that stands for `title` as matchWindowTitle chooses it, or XCB_NONE.
xcb_window_t findX11Window(X11Connection& connection, const std::u16string& title);

// Makes `window` the active window with the keyboard focus: through the window manager
// (_NET_ACTIVE_WINDOW) where one runs, else by raising and focusing it directly. Waits until the
// focus has arrived, running the event loop meanwhile; false when it did not arrive in time.
bool activateX11Window(X11Connection& connection, xcb_window_t window);

#pragma once

#include <xcb/xcb.h>

#include <string>

class X11Connection;

// The top-level window of another program that stands for `title` as matchWindowTitle chooses it,
// or XCB_NONE.
xcb_window_t findX11Window(X11Connection& connection, const std::u16string& title);

// Asks for `window` to become the active window with the keyboard focus: through the window
// manager (_NET_ACTIVE_WINDOW) where one runs, else by raising and focusing it directly. Returns
// at once; the focus arrives a little later, or not at all when the window manager refuses.
void activateX11Window(X11Connection& connection, xcb_window_t window);

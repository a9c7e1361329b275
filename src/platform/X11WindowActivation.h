#pragma once

#include <QString>

#include <xcb/xcb.h>

// Finds the top-level window that stands for `title` (see MatchWindowTitle) among the window
// manager's client list, or among the mapped children of the root window where no window manager
// keeps one, and makes it the active window with the keyboard focus: through the window manager
// (_NET_ACTIVE_WINDOW) where one runs, else by raising and focusing it directly. Waits until the
// focus has arrived, running the event loop meanwhile. False when no window matches.
bool ActivateX11WindowByTitle(xcb_connection_t* connection, xcb_window_t root, const QString& title,
                              xcb_window_t* activated = nullptr);

// The window that ActivateX11WindowByTitle would activate, or XCB_NONE.
xcb_window_t FindX11WindowByTitle(xcb_connection_t* connection, xcb_window_t root, const QString& title);

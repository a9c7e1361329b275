#pragma once

#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

// The replies of xcb are malloc'ed; this frees them.
struct X11ReplyDeleter {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T> using X11Reply = std::unique_ptr<T, X11ReplyDeleter>;

// The atom of `name` on the server of `connection`; XCB_ATOM_NONE when the server does not answer.
xcb_atom_t internAtom(xcb_connection_t* connection, const char* name);

// One X connection with the window manager's (EWMH) atoms, and the few window queries and requests
// that the stay-on-top state, the window activation, the key injection and the tests make on it.
// Every call is synchronous: each runs between two user events, where a round trip is cheap.
class X11Connection {
public:
    // Over `connection` (not taken over: the caller closes it), on its first screen.
    explicit X11Connection(xcb_connection_t* connection);
    ~X11Connection();
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;

    // The connection of the running QGuiApplication; null when it does not run on X11.
    static X11Connection* application();

    xcb_connection_t* get() const { return m_connection; }
    xcb_window_t root() const { return m_root; }
    xcb_ewmh_connection_t& ewmh() { return m_ewmh; }
    xcb_atom_t atom(const char* name) const;

    // The top-level windows a user would call the applications' windows, the topmost first, so
    // that of two alike the one active last comes first: the window manager's client list in its
    // stacking order, or the mapped children of the root window where no window manager keeps one.
    std::vector<xcb_window_t> topLevelWindows();
    // The window's title: _NET_WM_NAME, else WM_NAME.
    std::u16string title(xcb_window_t window);
    // The window's _NET_WM_STATE atoms.
    std::vector<xcb_atom_t> states(xcb_window_t window);
    // True while a window manager manages the window (shown or iconified).
    bool isManaged(xcb_window_t window) const;
    // True when a window manager runs that activates windows on request (_NET_ACTIVE_WINDOW).
    bool windowManagerActivates();
    // The active window as the window manager reports it; XCB_NONE when it reports none.
    xcb_window_t activeWindow();
    // True when the keyboard focus is on `window` or inside it.
    bool hasFocus(xcb_window_t window) const;
    // The window that has the keyboard focus; XCB_NONE, or XCB_INPUT_FOCUS_POINTER_ROOT when the
    // keys go to the window under the pointer.
    xcb_window_t focusWindow() const;
    // True while the window exists and is on the screen or minimized: false once its program has
    // destroyed it or withdrawn it (closed it but kept it for later).
    bool isOpen(xcb_window_t window) const;
    // The part of a window's id that the server gives every resource of one connection alike: two
    // windows with the same part were made by the same X client.
    uint32_t clientOf(xcb_window_t window) const { return window & ~m_resourceMask; }
    // The process of the X client that made `window` (X-Resource extension); 0 when the server
    // cannot tell (a client on another machine, a server without the extension).
    uint32_t processOf(xcb_window_t window) const;

private:
    xcb_connection_t* m_connection;
    xcb_window_t m_root = XCB_NONE;
    uint32_t m_resourceMask = 0;
    xcb_ewmh_connection_t m_ewmh{};
    bool m_ewmhReady = false;
};

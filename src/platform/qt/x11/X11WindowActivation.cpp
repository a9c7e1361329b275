#include "X11WindowActivation.h"

#include "EventPump.h"
#include "X11Connection.h"
#include "link/SpreadsheetWindowTitle.h"

#include <QElapsedTimer>

namespace {

// How long the window manager gets to hand over the focus (openbox needs a few milliseconds).
constexpr int kActivationTimeoutMs = 1000;
constexpr int kPollMs = 3;

bool waitForFocus(X11Connection& connection, xcb_window_t window) {
    QElapsedTimer clock;
    clock.start();
    while (!connection.hasFocus(window)) {
        if (clock.elapsed() > kActivationTimeoutMs)
            return false;
        pumpEventsFor(kPollMs);
    }
    return true;
}

void raiseAndFocus(xcb_connection_t* c, xcb_window_t window) {
    xcb_map_window(c, window);
    const uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(c, window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
    xcb_set_input_focus(c, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
    xcb_flush(c);
}

} // namespace

xcb_window_t findX11Window(X11Connection& connection, const std::u16string& title) {
    const std::vector<xcb_window_t> windows = connection.topLevelWindows();
    std::vector<std::u16string> titles;
    for (const xcb_window_t window : windows)
        titles.push_back(connection.title(window));
    const std::ptrdiff_t match = matchWindowTitle(titles, title);
    return match < 0 ? xcb_window_t(XCB_NONE) : windows[std::size_t(match)];
}

bool activateX11Window(X11Connection& connection, xcb_window_t window) {
    if (connection.hasFocus(window))
        return true; // already the active window, as after the previous transfer
    if (connection.windowManagerActivates()) {
        // As a pager asks: window managers obey that without focus-stealing checks, as they obey
        // a click on a taskbar.
        xcb_ewmh_request_change_active_window(&connection.ewmh(), 0, window,
                                              XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER, XCB_CURRENT_TIME, XCB_NONE);
        xcb_flush(connection.get());
        if (waitForFocus(connection, window))
            return true;
    }
    // No window manager, or one that would not hand over the focus: do it ourselves.
    raiseAndFocus(connection.get(), window);
    return waitForFocus(connection, window);
}

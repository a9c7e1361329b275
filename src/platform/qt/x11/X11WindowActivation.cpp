#include "X11WindowActivation.h"

#include "X11Connection.h"
#include "link/SpreadsheetWindowTitle.h"

namespace {

void raiseAndFocus(xcb_connection_t* c, xcb_window_t window) {
    xcb_map_window(c, window);
    const uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(c, window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
    xcb_set_input_focus(c, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
    xcb_flush(c);
}

} // namespace

xcb_window_t findX11Window(X11Connection& connection, const std::u16string& title) {
    const xcb_window_t own = connection.clientOf(xcb_get_setup(connection.get())->resource_id_base);
    std::vector<xcb_window_t> windows;
    std::vector<std::u16string> titles;
    for (const xcb_window_t window : connection.topLevelWindows()) {
        // This program's own windows are never the spreadsheet, whatever they are called: keys
        // typed into them would choose members and start transfers of their own.
        if (connection.clientOf(window) == own)
            continue;
        windows.push_back(window);
        titles.push_back(connection.title(window));
    }
    const std::ptrdiff_t match = matchWindowTitle(titles, title);
    return match < 0 ? xcb_window_t(XCB_NONE) : windows[std::size_t(match)];
}

void activateX11Window(X11Connection& connection, xcb_window_t window) {
    if (connection.hasFocus(window))
        return; // already the active window, as after the previous transfer
    if (connection.windowManagerActivates()) {
        // As a pager asks: window managers obey that without focus-stealing checks, as they obey
        // a click on a taskbar. One that refuses all the same is not overruled: the transfer sees
        // that the focus did not arrive and stops.
        xcb_ewmh_request_change_active_window(&connection.ewmh(), 0, window,
                                              XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER, XCB_CURRENT_TIME, XCB_NONE);
        xcb_flush(connection.get());
    } else {
        raiseAndFocus(connection.get(), window);
    }
}

#include "StayOnTop.h"

#include "X11Connection.h"

#include <QWidget>

#include <vector>

namespace {

void setX11StayOnTop(X11Connection& connection, xcb_window_t window, bool above) {
    xcb_ewmh_connection_t& ewmh = connection.ewmh();
    if (connection.isManaged(window)) {
        xcb_ewmh_request_change_wm_state(
            &ewmh, 0, window, above ? XCB_EWMH_WM_STATE_ADD : XCB_EWMH_WM_STATE_REMOVE,
            ewmh._NET_WM_STATE_ABOVE, XCB_ATOM_NONE, XCB_EWMH_CLIENT_SOURCE_TYPE_NORMAL);
    } else {
        std::vector<xcb_atom_t> states = connection.states(window);
        std::erase(states, ewmh._NET_WM_STATE_ABOVE);
        if (above)
            states.push_back(ewmh._NET_WM_STATE_ABOVE);
        xcb_ewmh_set_wm_state(&ewmh, window, uint32_t(states.size()), states.data());
    }
    xcb_flush(connection.get());
}

} // namespace

void setWindowStayOnTop(QWidget& window, bool above) {
    if (X11Connection* connection = X11Connection::application())
        setX11StayOnTop(*connection, xcb_window_t(window.window()->winId()), above);
}

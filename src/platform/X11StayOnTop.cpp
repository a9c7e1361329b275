#include "X11StayOnTop.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

// _NET_WM_STATE client message actions and source indication.
constexpr uint32_t kStateRemove = 0;
constexpr uint32_t kStateAdd = 1;
constexpr uint32_t kSourceApplication = 1;
// ICCCM WM_STATE value of a window the window manager has let go of.
constexpr uint32_t kWithdrawnState = 0;

xcb_atom_t atomNamed(xcb_connection_t* connection, const char* name) {
    const auto cookie = xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name);
    Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::vector<xcb_atom_t> atomListProperty(xcb_connection_t* connection, xcb_window_t window,
                                         xcb_atom_t property) {
    const auto cookie = xcb_get_property(connection, 0, window, property, XCB_ATOM_ATOM, 0, 1024);
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection, cookie, nullptr));
    if (!reply || reply->format != 32 || reply->type != XCB_ATOM_ATOM)
        return {};
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    return {atoms, atoms + xcb_get_property_value_length(reply.get()) / int(sizeof(xcb_atom_t))};
}

// True while a window manager manages the window (shown or iconified): then its _NET_WM_STATE
// belongs to the window manager and is changed by request only.
bool isManaged(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t wmState) {
    const auto cookie = xcb_get_property(connection, 0, window, wmState, wmState, 0, 1);
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection, cookie, nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
        return false;
    return *static_cast<const uint32_t*>(xcb_get_property_value(reply.get())) != kWithdrawnState;
}

xcb_window_t rootOf(xcb_connection_t* connection, xcb_window_t window) {
    Reply<xcb_get_geometry_reply_t> reply(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    return reply ? reply->root : xcb_window_t(XCB_WINDOW_NONE);
}

} // namespace

X11StayOnTop::X11StayOnTop(xcb_connection_t* connection) : m_connection(connection) {}

void X11StayOnTop::setAbove(quintptr handle, bool above) {
    const auto window = xcb_window_t(handle);
    const xcb_atom_t netWmState = atomNamed(m_connection, "_NET_WM_STATE");
    const xcb_atom_t stateAbove = atomNamed(m_connection, "_NET_WM_STATE_ABOVE");
    const xcb_atom_t wmState = atomNamed(m_connection, "WM_STATE");
    if (window == XCB_WINDOW_NONE || netWmState == XCB_ATOM_NONE || stateAbove == XCB_ATOM_NONE)
        return;

    if (isManaged(m_connection, window, wmState)) {
        const xcb_window_t root = rootOf(m_connection, window);
        if (root == XCB_WINDOW_NONE)
            return;
        xcb_client_message_event_t event;
        std::memset(&event, 0, sizeof event);
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = netWmState;
        event.data.data32[0] = above ? kStateAdd : kStateRemove;
        event.data.data32[1] = stateAbove;
        event.data.data32[2] = 0;
        event.data.data32[3] = kSourceApplication;
        xcb_send_event(m_connection, 0, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&event));
    } else {
        std::vector<xcb_atom_t> states = atomListProperty(m_connection, window, netWmState);
        std::erase(states, stateAbove);
        if (above)
            states.push_back(stateAbove);
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, netWmState, XCB_ATOM_ATOM, 32,
                            uint32_t(states.size()), states.data());
    }
    xcb_flush(m_connection);
}

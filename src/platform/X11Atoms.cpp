#include "X11Atoms.h"

#include <cstdlib>
#include <cstring>

xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_NONE);
    std::free(reply);
    return atom;
}

namespace {

// Long enough for any title and any client list of a desktop.
constexpr uint32_t kMaxPropertyLongs = 1 << 16;

xcb_get_property_reply_t* getProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                                      xcb_atom_t type) {
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, window, property, type, 0, kMaxPropertyLongs);
    return xcb_get_property_reply(connection, cookie, nullptr);
}

} // namespace

std::vector<uint32_t> PropertyValues32(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                                       xcb_atom_t type) {
    std::vector<uint32_t> values;
    xcb_get_property_reply_t* reply = getProperty(connection, window, property, type);
    if (reply && reply->format == 32 && (type == XCB_ATOM_ANY || reply->type == type)) {
        const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply));
        values.assign(data, data + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return values;
}

QByteArray PropertyBytes(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                         xcb_atom_t* type) {
    QByteArray bytes;
    xcb_get_property_reply_t* reply = getProperty(connection, window, property, XCB_ATOM_ANY);
    if (reply && reply->format == 8) {
        bytes = QByteArray(static_cast<const char*>(xcb_get_property_value(reply)),
                           xcb_get_property_value_length(reply));
        if (type)
            *type = reply->type;
    }
    std::free(reply);
    return bytes;
}

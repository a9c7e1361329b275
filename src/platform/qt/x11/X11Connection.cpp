#include "X11Connection.h"

#include "base/Text.h"

#include <QGuiApplication>

#include <xcb/res.h>
#include <xcb/xcb_icccm.h>

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

// ICCCM WM_STATE value of a window the window manager has let go of.
constexpr uint32_t kWithdrawnState = 0;

} // namespace

X11Connection::X11Connection(xcb_connection_t* connection) : m_connection(connection) {
    if (!connection || xcb_connection_has_error(connection))
        return;
    m_root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    m_resourceMask = xcb_get_setup(connection)->resource_id_mask;
    xcb_intern_atom_cookie_t* cookies = xcb_ewmh_init_atoms(connection, &m_ewmh);
    m_ewmhReady = xcb_ewmh_init_atoms_replies(&m_ewmh, cookies, nullptr) != 0;
}

X11Connection::~X11Connection() {
    if (m_ewmhReady)
        xcb_ewmh_connection_wipe(&m_ewmh);
}

X11Connection* X11Connection::application() {
    // The offscreen platform offers the interface too, with a connection of its own or none at all,
    // and windows that are not X windows.
    if (!qGuiApp || QGuiApplication::platformName() != QStringLiteral("xcb"))
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return nullptr;
    // Lives as long as the process: Qt's connection closes only at the very end.
    static X11Connection* connection = new X11Connection(x11->connection());
    return connection;
}

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name) {
    const auto cookie = xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name);
    const X11Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

xcb_atom_t X11Connection::atom(const char* name) const {
    return internAtom(m_connection, name);
}

std::vector<xcb_window_t> X11Connection::topLevelWindows() {
    std::vector<xcb_window_t> windows;
    xcb_ewmh_get_windows_reply_t list;
    // The stacking list runs from the bottom up; the plain client list, the fallback for a window
    // manager that keeps no stacking list, from the first window mapped to the last.
    if (xcb_ewmh_get_client_list_stacking_reply(&m_ewmh, xcb_ewmh_get_client_list_stacking(&m_ewmh, 0), &list,
                                                nullptr) ||
        xcb_ewmh_get_client_list_reply(&m_ewmh, xcb_ewmh_get_client_list(&m_ewmh, 0), &list, nullptr)) {
        windows.assign(std::make_reverse_iterator(list.windows + list.windows_len),
                       std::make_reverse_iterator(list.windows));
        xcb_ewmh_get_windows_reply_wipe(&list);
    }
    if (!windows.empty())
        return windows;
    const X11Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, m_root), nullptr));
    if (!tree)
        return windows;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = xcb_query_tree_children_length(tree.get()) - 1; i >= 0; --i) { // bottom up, too
        const X11Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
            m_connection, xcb_get_window_attributes(m_connection, children[i]), nullptr));
        if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE && !attributes->override_redirect)
            windows.push_back(children[i]);
    }
    return windows;
}

std::u16string X11Connection::title(xcb_window_t window) {
    xcb_ewmh_get_utf8_strings_reply_t name;
    if (xcb_ewmh_get_wm_name_reply(&m_ewmh, xcb_ewmh_get_wm_name(&m_ewmh, window), &name, nullptr)) {
        const std::u16string text = fromUtf8(std::string_view(name.strings, name.strings_len));
        xcb_ewmh_get_utf8_strings_reply_wipe(&name);
        return text;
    }
    xcb_icccm_get_text_property_reply_t legacy;
    if (!xcb_icccm_get_wm_name_reply(m_connection, xcb_icccm_get_wm_name(m_connection, window), &legacy,
                                     nullptr))
        return {};
    std::u16string text;
    if (legacy.encoding == XCB_ATOM_STRING) { // Latin-1 by definition
        for (uint32_t i = 0; i < legacy.name_len; ++i)
            text.push_back(char16_t(uint8_t(legacy.name[i])));
    } else { // COMPOUND_TEXT and the like equal UTF-8 for the ASCII titles that matter here
        text = fromUtf8(std::string_view(legacy.name, legacy.name_len));
    }
    xcb_icccm_get_text_property_reply_wipe(&legacy);
    return text;
}

std::vector<xcb_atom_t> X11Connection::states(xcb_window_t window) {
    std::vector<xcb_atom_t> atoms;
    xcb_ewmh_get_atoms_reply_t reply;
    if (xcb_ewmh_get_wm_state_reply(&m_ewmh, xcb_ewmh_get_wm_state(&m_ewmh, window), &reply, nullptr)) {
        atoms.assign(reply.atoms, reply.atoms + reply.atoms_len);
        xcb_ewmh_get_atoms_reply_wipe(&reply);
    }
    return atoms;
}

bool X11Connection::isManaged(xcb_window_t window) const {
    const xcb_atom_t wmState = atom("WM_STATE");
    const X11Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, wmState, wmState, 0, 1), nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
        return false;
    return *static_cast<const uint32_t*>(xcb_get_property_value(reply.get())) != kWithdrawnState;
}

bool X11Connection::windowManagerActivates() {
    xcb_window_t check = XCB_NONE;
    if (!xcb_ewmh_get_supporting_wm_check_reply(&m_ewmh, xcb_ewmh_get_supporting_wm_check(&m_ewmh, m_root),
                                                &check, nullptr))
        return false;
    xcb_ewmh_get_atoms_reply_t supported;
    if (!xcb_ewmh_get_supported_reply(&m_ewmh, xcb_ewmh_get_supported(&m_ewmh, 0), &supported, nullptr))
        return false;
    const bool found = std::find(supported.atoms, supported.atoms + supported.atoms_len,
                                 m_ewmh._NET_ACTIVE_WINDOW) != supported.atoms + supported.atoms_len;
    xcb_ewmh_get_atoms_reply_wipe(&supported);
    return found;
}

xcb_window_t X11Connection::activeWindow() {
    xcb_window_t window = XCB_NONE;
    if (!xcb_ewmh_get_active_window_reply(&m_ewmh, xcb_ewmh_get_active_window(&m_ewmh, 0), &window, nullptr))
        return XCB_NONE;
    return window;
}

xcb_window_t X11Connection::focusWindow() const {
    const X11Reply<xcb_get_input_focus_reply_t> focus(
        xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    return focus ? focus->focus : xcb_window_t(XCB_NONE);
}

bool X11Connection::isOpen(xcb_window_t window) const {
    const X11Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        m_connection, xcb_get_window_attributes(m_connection, window), nullptr));
    return attributes && (attributes->map_state == XCB_MAP_STATE_VIEWABLE || isManaged(window));
}

uint32_t X11Connection::processOf(xcb_window_t window) const {
    const xcb_res_client_id_spec_t spec{window, XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID};
    const X11Reply<xcb_res_query_client_ids_reply_t> reply(xcb_res_query_client_ids_reply(
        m_connection, xcb_res_query_client_ids(m_connection, 1, &spec), nullptr));
    if (!reply)
        return 0;
    for (auto it = xcb_res_query_client_ids_ids_iterator(reply.get()); it.rem;
         xcb_res_client_id_value_next(&it)) {
        if ((it.data->spec.mask & XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID) && it.data->length == 4)
            return *xcb_res_client_id_value_value(it.data);
    }
    return 0;
}

bool X11Connection::hasFocus(xcb_window_t window) const {
    xcb_window_t w = focusWindow();
    for (int depth = 0; w != XCB_NONE && depth < 32; ++depth) {
        if (w == window)
            return true;
        const X11Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, w), nullptr));
        if (!tree || tree->parent == tree->root)
            break;
        w = tree->parent;
    }
    return false;
}

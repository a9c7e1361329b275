#include "X11WindowPing.h"

#include "X11Connection.h"

#include <xcb/xcb_icccm.h>

#include <algorithm>
#include <cstdlib>

X11WindowPing::X11WindowPing() : m_connection(xcb_connect(nullptr, nullptr)) {
    if (xcb_connection_has_error(m_connection))
        return;
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    m_protocols = internAtom(m_connection, "WM_PROTOCOLS");
    m_ping = internAtom(m_connection, "_NET_WM_PING");
}

X11WindowPing::~X11WindowPing() {
    xcb_disconnect(m_connection);
}

bool X11WindowPing::takesPart(xcb_window_t window) {
    if (xcb_connection_has_error(m_connection) || m_ping == XCB_ATOM_NONE)
        return false;
    xcb_icccm_get_wm_protocols_reply_t protocols;
    if (!xcb_icccm_get_wm_protocols_reply(
            m_connection, xcb_icccm_get_wm_protocols(m_connection, window, m_protocols), &protocols, nullptr))
        return false;
    bool found = false;
    for (uint32_t i = 0; i < protocols.atoms_len; ++i)
        found = found || protocols.atoms[i] == m_ping;
    xcb_icccm_get_wm_protocols_reply_wipe(&protocols);
    return found;
}

void X11WindowPing::listen(bool on) {
    // Programs answer with either mask: EWMH names the substructure, Qt sends to the structure.
    const uint32_t mask =
        on ? XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY : XCB_EVENT_MASK_NO_EVENT;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(m_connection);
    m_listening = on;
}

uint32_t X11WindowPing::ask(xcb_window_t window) {
    ++m_serial;
    if (window != m_window) {
        m_window = window;
        m_takesPart = takesPart(window);
    }
    if (!m_takesPart) {
        m_answered = m_serial;
        return m_serial;
    }
    if (!m_listening)
        listen(true);
    xcb_client_message_event_t ping{};
    ping.response_type = XCB_CLIENT_MESSAGE;
    ping.format = 32;
    ping.window = window;
    ping.type = m_protocols;
    // Stands where a timestamp goes; the program sends it back as it is, which tells this ping's
    // answer from an answer to an earlier one.
    ping.data.data32[0] = m_ping;
    ping.data.data32[1] = m_serial;
    ping.data.data32[2] = window;
    xcb_send_event(m_connection, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&ping));
    xcb_flush(m_connection);
    return m_serial;
}

bool X11WindowPing::answered(uint32_t number) {
    while (xcb_generic_event_t* event = m_listening ? xcb_poll_for_event(m_connection) : nullptr) {
        if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
            const auto* message = reinterpret_cast<const xcb_client_message_event_t*>(event);
            if (message->type == m_protocols && message->format == 32 && message->data.data32[0] == m_ping &&
                message->data.data32[2] == m_window && message->data.data32[1] <= m_serial)
                m_answered = std::max(m_answered, message->data.data32[1]);
        }
        std::free(event);
    }
    if (m_listening && m_answered == m_serial)
        listen(false);
    return m_answered >= number;
}

bool X11WindowPing::answers(xcb_window_t window, const WaitClock& clock, const std::function<void()>& pump,
                            int timeoutMs) {
    const uint32_t number = ask(window);
    return waitUntil(
        clock, pump, [&] { return answered(number); }, timeoutMs);
}

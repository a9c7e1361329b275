#include "X11WindowActivation.h"

#include "EventPump.h"
#include "X11Atoms.h"
#include "lookup/SpreadsheetWindowTitle.h"

#include <QElapsedTimer>
#include <QStringList>

#include <algorithm>
#include <cstdlib>

namespace {

// How long the window manager gets to hand over the focus (openbox needs a few milliseconds).
constexpr int kActivationTimeoutMs = 1000;
constexpr int kPollMs = 3;
// _NET_ACTIVE_WINDOW source indication: a pager, which window managers obey without
// focus-stealing checks, as a taskbar click would be.
constexpr uint32_t kSourcePager = 2;

struct Atoms {
    explicit Atoms(xcb_connection_t* c)
        : clientList(InternAtom(c, "_NET_CLIENT_LIST")), activeWindow(InternAtom(c, "_NET_ACTIVE_WINDOW")),
          supported(InternAtom(c, "_NET_SUPPORTED")),
          supportingWmCheck(InternAtom(c, "_NET_SUPPORTING_WM_CHECK")), wmName(InternAtom(c, "_NET_WM_NAME")),
          utf8String(InternAtom(c, "UTF8_STRING")) {}
    xcb_atom_t clientList, activeWindow, supported, supportingWmCheck, wmName, utf8String;
};

QString windowTitle(xcb_connection_t* c, const Atoms& atoms, xcb_window_t window) {
    const QByteArray netName = PropertyBytes(c, window, atoms.wmName);
    if (!netName.isEmpty())
        return QString::fromUtf8(netName);
    xcb_atom_t type = XCB_NONE;
    const QByteArray name = PropertyBytes(c, window, XCB_ATOM_WM_NAME, &type);
    // STRING is Latin-1 by definition; other encodings (COMPOUND_TEXT) are read as UTF-8, which
    // they equal for the ASCII titles that matter here.
    return type == XCB_ATOM_STRING ? QString::fromLatin1(name) : QString::fromUtf8(name);
}

bool windowManagerActivates(xcb_connection_t* c, xcb_window_t root, const Atoms& atoms) {
    if (PropertyValues32(c, root, atoms.supportingWmCheck, XCB_ATOM_WINDOW).empty())
        return false;
    const std::vector<uint32_t> supported = PropertyValues32(c, root, atoms.supported, XCB_ATOM_ATOM);
    return std::find(supported.begin(), supported.end(), atoms.activeWindow) != supported.end();
}

// The windows a user would call the applications' windows.
std::vector<xcb_window_t> topLevelWindows(xcb_connection_t* c, xcb_window_t root, const Atoms& atoms) {
    std::vector<xcb_window_t> windows = PropertyValues32(c, root, atoms.clientList, XCB_ATOM_WINDOW);
    if (!windows.empty())
        return windows;
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr);
    if (!tree)
        return windows;
    const xcb_window_t* children = xcb_query_tree_children(tree);
    for (int i = 0; i < xcb_query_tree_children_length(tree); ++i) {
        xcb_get_window_attributes_reply_t* attributes =
            xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, children[i]), nullptr);
        if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE && !attributes->override_redirect)
            windows.push_back(children[i]);
        std::free(attributes);
    }
    std::free(tree);
    return windows;
}

// True when the keyboard focus is on `window` or inside it.
bool hasFocus(xcb_connection_t* c, xcb_window_t window) {
    xcb_get_input_focus_reply_t* focus = xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
    xcb_window_t w = focus ? focus->focus : xcb_window_t(XCB_NONE);
    std::free(focus);
    for (int depth = 0; w != XCB_NONE && depth < 32; ++depth) {
        if (w == window)
            return true;
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, w), nullptr);
        const xcb_window_t parent = tree ? tree->parent : xcb_window_t(XCB_NONE);
        const xcb_window_t treeRoot = tree ? tree->root : xcb_window_t(XCB_NONE);
        std::free(tree);
        if (parent == treeRoot)
            break;
        w = parent;
    }
    return false;
}

bool waitForFocus(xcb_connection_t* c, xcb_window_t window) {
    QElapsedTimer clock;
    clock.start();
    while (!hasFocus(c, window)) {
        if (clock.elapsed() > kActivationTimeoutMs)
            return false;
        PumpEventsFor(kPollMs);
    }
    return true;
}

void askWindowManager(xcb_connection_t* c, xcb_window_t root, const Atoms& atoms, xcb_window_t window) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atoms.activeWindow;
    message.data.data32[0] = kSourcePager;
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);
}

void raiseAndFocus(xcb_connection_t* c, xcb_window_t window) {
    xcb_map_window(c, window);
    const uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(c, window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
    xcb_set_input_focus(c, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
    xcb_flush(c);
}

} // namespace

xcb_window_t FindX11WindowByTitle(xcb_connection_t* c, xcb_window_t root, const QString& title) {
    const Atoms atoms(c);
    const std::vector<xcb_window_t> windows = topLevelWindows(c, root, atoms);
    QStringList titles;
    for (const xcb_window_t window : windows)
        titles.append(windowTitle(c, atoms, window));
    const qsizetype match = MatchWindowTitle(titles, title);
    return match < 0 ? xcb_window_t(XCB_NONE) : windows[std::size_t(match)];
}

bool ActivateX11WindowByTitle(xcb_connection_t* c, xcb_window_t root, const QString& title,
                              xcb_window_t* activated) {
    const xcb_window_t window = FindX11WindowByTitle(c, root, title);
    if (window == XCB_NONE)
        return false;
    if (activated)
        *activated = window;
    if (hasFocus(c, window))
        return true; // already the active window, as from the previous transfer

    const Atoms atoms(c);
    if (windowManagerActivates(c, root, atoms)) {
        askWindowManager(c, root, atoms, window);
        if (waitForFocus(c, window))
            return true;
    }
    // No window manager, or one that would not hand over the focus: do it ourselves.
    raiseAndFocus(c, window);
    waitForFocus(c, window);
    return true;
}

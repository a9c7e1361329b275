#include "X11KeyInjector.h"

#include "X11Connection.h"

#include <algorithm>
#include <cstdlib>
#include <xcb/xcbext.h>
#include <xcb/xtest.h>

#define XK_MISCELLANY
#include <X11/keysymdef.h>

namespace {

// The X keysym of a keystroke's key: the named key's keysym, or the keysym of the character
// (Latin-1 keysyms equal their code points; every other character has the keysym 0x1000000 + code).
xcb_keysym_t keysymOf(const KeyStroke& stroke) {
    if (stroke.named != NamedKey::None)
        return namedKeyCodes(stroke.named).x11Keysym;
    const char32_t c = stroke.character;
    if ((c >= 0x20 && c <= 0x7e) || (c >= 0xa0 && c <= 0xff))
        return xcb_keysym_t(c);
    return 0x1000000 + xcb_keysym_t(c);
}

} // namespace

X11KeyInjector::X11KeyInjector(X11Connection& connection)
    : m_connection(connection.get()), m_root(connection.root()) {}

X11KeyInjector::~X11KeyInjector() {
    if (m_bound.empty())
        return;
    KeyMap map = readKeyMap();
    for (const xcb_keycode_t keycode : m_bound)
        setKeysym(map, keycode, 0);
    xcb_flush(m_connection);
}

X11KeyInjector::KeyMap X11KeyInjector::readKeyMap() const {
    KeyMap map;
    const xcb_setup_t* setup = xcb_get_setup(m_connection);
    map.minKeycode = setup->min_keycode;
    const uint8_t count = uint8_t(setup->max_keycode - setup->min_keycode + 1);
    const X11Reply<xcb_get_keyboard_mapping_reply_t> reply(xcb_get_keyboard_mapping_reply(
        m_connection, xcb_get_keyboard_mapping(m_connection, setup->min_keycode, count), nullptr));
    if (!reply)
        return map;
    map.keysymsPerKeycode = reply->keysyms_per_keycode;
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(reply.get());
    map.keysyms.assign(keysyms, keysyms + xcb_get_keyboard_mapping_keysyms_length(reply.get()));
    return map;
}

X11KeyInjector::Key X11KeyInjector::find(const KeyMap& map, xcb_keysym_t keysym) const {
    const std::size_t per = map.keysymsPerKeycode;
    // The plain level first: a key that gives the keysym without Shift needs no modifier.
    for (std::size_t level = 0; level < std::min<std::size_t>(per, 2); ++level) {
        for (std::size_t i = 0; i * per < map.keysyms.size(); ++i) {
            if (map.keysyms[i * per + level] == keysym)
                return {xcb_keycode_t(map.minKeycode + i), level == 1};
        }
    }
    return {};
}

void X11KeyInjector::fake(uint8_t type, xcb_keycode_t keycode) {
    m_sent.last = xcb_test_fake_input(m_connection, type, keycode, m_nextDelay, m_root, 0, 0, 0).sequence;
    m_nextDelay = kGapMs;
}

bool X11KeyInjector::allMade() {
    if (m_markerPending) {
        void* reply = nullptr;
        xcb_generic_error_t* error = nullptr;
        if (!xcb_poll_for_reply(m_connection, m_marker, &reply, &error))
            return false;
        std::free(reply);
        std::free(error);
        m_markerPending = false;
        m_madeSince.start();
    }
    return true;
}

void X11KeyInjector::setKeysym(KeyMap& map, xcb_keycode_t keycode, xcb_keysym_t keysym) {
    // The same keysym on every level, so that a held Shift changes nothing.
    const std::vector<xcb_keysym_t> keysyms(map.keysymsPerKeycode, keysym);
    m_sent.last =
        xcb_change_keyboard_mapping(m_connection, 1, keycode, map.keysymsPerKeycode, keysyms.data()).sequence;
    const std::size_t first = std::size_t(keycode - map.minKeycode) * map.keysymsPerKeycode;
    std::fill_n(map.keysyms.begin() + std::ptrdiff_t(first), map.keysymsPerKeycode, keysym);
}

xcb_keycode_t X11KeyInjector::bindSpare(KeyMap& map, xcb_keysym_t keysym) {
    if (map.keysymsPerKeycode == 0)
        return 0;
    // The highest keycode without any keysym is free to borrow; failing that, the oldest binding.
    xcb_keycode_t spare = 0;
    const std::size_t per = map.keysymsPerKeycode;
    for (std::size_t i = map.keysyms.size() / per; i-- > 0 && spare == 0;) {
        if (std::all_of(map.keysyms.begin() + std::ptrdiff_t(i * per),
                        map.keysyms.begin() + std::ptrdiff_t((i + 1) * per),
                        [](xcb_keysym_t k) { return k == 0; }))
            spare = xcb_keycode_t(map.minKeycode + i);
    }
    if (spare == 0 && !m_bound.empty()) {
        spare = m_bound.front();
        m_bound.erase(m_bound.begin());
    }
    if (spare == 0)
        return 0;
    setKeysym(map, spare, keysym);
    m_bound.push_back(spare);
    m_nextDelay = kGapMs; // the window takes in the new map before the key comes
    return spare;
}

X11KeyInjector::Sent X11KeyInjector::send(const std::vector<KeyStroke>& strokes) {
    m_sent = Sent{};
    if (strokes.empty())
        return m_sent;
    m_nextDelay = allMade() && m_madeSince.isValid() && m_madeSince.elapsed() >= kGapMs ? 0 : kGapMs;
    KeyMap map = readKeyMap();
    // A modifier is only ever pressed where the map has it; a spare keycode would not modify.
    const auto modifierKey = [&](xcb_keysym_t keysym) { return find(map, keysym).keycode; };
    const xcb_keycode_t shift = modifierKey(XK_Shift_L);
    const xcb_keycode_t control = modifierKey(XK_Control_L);
    const xcb_keycode_t alt = modifierKey(XK_Alt_L);

    for (const KeyStroke& stroke : strokes) {
        const xcb_keysym_t keysym = keysymOf(stroke);
        Key key = find(map, keysym);
        if (key.keycode == 0)
            key.keycode = bindSpare(map, keysym);
        if (key.keycode == 0)
            continue; // neither on the map nor a spare keycode to put it on

        std::vector<xcb_keycode_t> held;
        if ((stroke.modifiers & KeyStroke::Shift) || key.needsShift)
            held.push_back(shift);
        if (stroke.modifiers & KeyStroke::Ctrl)
            held.push_back(control);
        if (stroke.modifiers & KeyStroke::Alt)
            held.push_back(alt);
        for (const xcb_keycode_t modifier : held) {
            if (modifier != 0)
                fake(XCB_KEY_PRESS, modifier);
        }
        fake(XCB_KEY_PRESS, key.keycode);
        if (m_sent.firstKeyPress == 0)
            m_sent.firstKeyPress = m_sent.last;
        fake(XCB_KEY_RELEASE, key.keycode);
        for (auto it = held.rbegin(); it != held.rend(); ++it) {
            if (*it != 0)
                fake(XCB_KEY_RELEASE, *it);
        }
    }
    if (m_markerPending)
        xcb_discard_reply(m_connection,
                          m_marker); // newer events stand behind it; its answer tells nothing more
    m_marker = xcb_get_input_focus(m_connection).sequence;
    m_markerPending = true;
    xcb_flush(m_connection);
    return m_sent;
}

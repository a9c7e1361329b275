#pragma once

#include "link/KeySequence.h"

#include <QElapsedTimer>

#include <cstdint>
#include <vector>
#include <xcb/xcb.h>

class X11Connection;

// Types keystrokes into the focused window with the XTEST extension, on the given connection.
//
// Every press and release goes to the server with a delay of kGapMs, which the server itself waits
// out before it makes the event: spreadsheets lose keys that come without a gap, and a delay kept
// by the server holds even when this process or the machine is slow. The calls return as soon as
// the events are queued; their requests' sequence numbers tell when they have been made. The first
// event of a call goes without delay when the events before it are known to have been made at
// least kGapMs earlier.
//
// A character that the keyboard map has on no key (at the plain or the Shift level) is typed by
// binding its keysym to a spare keycode, one without any keysym. The binding stays until the
// injector goes: a window reads the changed map only when it comes to the map's change
// notification, which may be after further keystrokes have been sent, so a binding undone at once
// could be gone before the window looks. Each such character takes its own spare keycode, the
// oldest binding giving way only when every spare one is taken.
class X11KeyInjector {
public:
    static constexpr uint8_t kGapMs = 6;

    explicit X11KeyInjector(X11Connection& connection);
    ~X11KeyInjector();
    X11KeyInjector(const X11KeyInjector&) = delete;
    X11KeyInjector& operator=(const X11KeyInjector&) = delete;

    struct Sent {
        // Sequence number of the first press of a key that is not a modifier (0 when none was sent).
        uint32_t firstKeyPress = 0;
        // Sequence number of the last request sent.
        uint32_t last = 0;
    };
    Sent send(const std::vector<KeyStroke>& strokes);

    // Whether the server has made every event sent so far. Each call looks for the answer to a
    // request sent behind the events, without blocking; call it while waiting.
    bool allMade();

private:
    struct KeyMap {
        xcb_keycode_t minKeycode = 0;
        uint8_t keysymsPerKeycode = 0;
        std::vector<xcb_keysym_t> keysyms;
    };
    struct Key {
        xcb_keycode_t keycode = 0;
        bool needsShift = false;
    };

    xcb_connection_t* m_connection;
    xcb_window_t m_root;
    Sent m_sent;
    uint8_t m_nextDelay = kGapMs;
    // The request behind the last events, and since when its answer is known to have come.
    bool m_markerPending = false;
    unsigned int m_marker = 0;
    QElapsedTimer m_madeSince;
    // The spare keycodes this injector has bound, oldest first.
    std::vector<xcb_keycode_t> m_bound;

    KeyMap readKeyMap() const;
    Key find(const KeyMap& map, xcb_keysym_t keysym) const;
    void fake(uint8_t type, xcb_keycode_t keycode);
    // Binds `keysym` to a spare keycode (in the server's map and in `map`); 0 when there is none.
    xcb_keycode_t bindSpare(KeyMap& map, xcb_keysym_t keysym);
    void setKeysym(KeyMap& map, xcb_keycode_t keycode, xcb_keysym_t keysym);
};

#include "Desktop.h"

#include "platform/qt/x11/StayOnTop.h"
#include "platform/qt/x11/X11Connection.h"

#include <gtest/gtest.h>

// The stay-on-top state of the real zelk window as the window manager reports it: above the other
// windows from start-up on, out of that layer while the editor or the About window is open.
TEST(StayOnTop, zelkIsAboveExceptWhileItsModalWindowsAreOpen) {
    desktopApplication();
    ZelkProcess zelk;
    ASSERT_TRUE(zelk.start({ZELK_SOURCE_DIR "/tests/data/link-table.csv"})) << zelk.error.toStdString();
    const xcb_window_t lookup = zelk.window();
    EXPECT_TRUE(waitUntil([&] { return zelk.isAbove(lookup); }));
    // The editor (first entry of the settings menu), then About (the help menu's A).
    for (const QStringList& keys : {QStringList{"alt+s", "Return"}, QStringList{"alt+h", "a"}}) {
        SCOPED_TRACE(keys.join(u' ').toStdString());
        ASSERT_TRUE(zelk.activate() && zelk.type(keys)) << zelk.error.toStdString();
        ASSERT_TRUE(waitUntil([&] { return zelk.windows().size() == 2; }));
        const xcb_window_t modal = zelk.windows()[zelk.windows()[0] == lookup ? 1 : 0];
        EXPECT_TRUE(waitUntil([&] { return !zelk.isAbove(lookup); }));
        zelk.close(modal);
        ASSERT_TRUE(waitUntil([&] { return zelk.windows().size() == 1; }));
        EXPECT_TRUE(waitUntil([&] { return zelk.isAbove(lookup); }));
    }
    zelk.close(lookup);
    ASSERT_TRUE(zelk.process().waitForFinished(kDesktopTimeoutMs));
    EXPECT_EQ(zelk.process().exitCode(), 0);
}

// A window not shown yet carries the state to the window manager when it is mapped.
TEST(StayOnTop, stateSetBeforeMappingHolds) {
    desktopApplication();
    X11Connection& x11 = *X11Connection::application();
    const xcb_window_t window = xcb_generate_id(x11.get());
    xcb_create_window(x11.get(), XCB_COPY_FROM_PARENT, window, x11.root(), 10, 10, 100, 80, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    setX11StayOnTop(x11, window, true);
    setX11StayOnTop(x11, window, false);
    setX11StayOnTop(x11, window, true);
    xcb_map_window(x11.get(), window);
    xcb_flush(x11.get());
    const auto above = [&] {
        const std::vector<xcb_atom_t> states = x11.states(window);
        return std::count(states.begin(), states.end(), x11.ewmh()._NET_WM_STATE_ABOVE) == 1;
    };
    EXPECT_TRUE(waitUntil([&] { return x11.isManaged(window) && above(); }));
    setX11StayOnTop(x11, window, false);
    EXPECT_TRUE(waitUntil([&] { return !above(); }));
    xcb_destroy_window(x11.get(), window);
    xcb_flush(x11.get());
}

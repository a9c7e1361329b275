#include "Desktop.h"

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
        EXPECT_TRUE(waitUntil([&] { return !zelk.isAbove(lookup); }));
        zelk.closeDialog();
        EXPECT_TRUE(waitUntil([&] { return zelk.windows().size() == 1 && zelk.isAbove(lookup); }));
    }
    zelk.close(lookup);
    ASSERT_TRUE(zelk.process().waitForFinished(kDesktopTimeoutMs));
    EXPECT_EQ(zelk.process().exitCode(), 0);
}

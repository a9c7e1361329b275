#pragma once

#include "X11ClipboardRequestWatcher.h"
#include "X11KeyInjector.h"
#include "lookup/TransferSink.h"

#include <xcb/xcb.h>

// The spreadsheet link on an X11 display (also XWayland), through the X connection of the running
// QGuiApplication, which must use the xcb platform.
//
// The clipboard is Qt's: this process owns it and answers the spreadsheet's requests whenever the
// event loop runs, so every wait below runs the event loop (without user input).
//
// "With wait" for a paste keystroke means: the spreadsheet has fetched the clipboard for that
// paste, and has stopped fetching. Spreadsheets fetch late and more than once and paste what they
// got last, so returning at the first fetch is too early. The first pastes into a window wait until
// no request has come for a long quiet time and learn how many data requests a paste brings; later
// pastes return shortly after that many have come. A request that comes in after a paste was
// considered done raises the learned number. Keystrokes with wait that are not a paste are waited
// for until the server has made their events, and a little longer.
class X11TransferSink : public TransferSink {
public:
    X11TransferSink();

    // Whether the application runs on an X11 display, which this sink needs.
    static bool Available();

    bool AppActivate(const QString& title) override;
    void ClipboardClear() override;
    void ClipboardSetText(const QString& text) override;
    void SendKeys(const KeySequence& keys, bool wait) override;

private:
    xcb_connection_t* c_;
    xcb_window_t root_;
    X11ClipboardRequestWatcher watcher_;
    X11KeyInjector keys_;

    xcb_window_t target_ = XCB_NONE;
    int pastesWatched_ = 0;
    int learnedDataRequests_ = 0;
    uint32_t previousPaste_ = 0;

    void waitForPaste(uint32_t keyPress);
    void waitUntilMade();
    void forgetLearning();
};

#pragma once

#include "X11ClipboardRequestWatcher.h"
#include "X11KeyInjector.h"
#include "link/TransferSink.h"
#include "link/TransferWaits.h"

#include <xcb/xcb.h>

class X11Connection;

// The spreadsheet link on an X11 display (also XWayland), through the X connection of the running
// QGuiApplication, which must use the xcb platform.
//
// The clipboard is Qt's: this process owns it and answers the spreadsheet's requests whenever the
// event loop runs, so every wait below runs the event loop (without user input).
//
// "With wait" for a paste keystroke means: the spreadsheet has fetched the clipboard for that
// paste, and has stopped fetching, as PasteWatch tells from the data requests. Keystrokes with
// wait that are not a paste are waited for until the server has made their events, and a little
// longer.
class X11TransferSink : public TransferSink {
public:
    explicit X11TransferSink(X11Connection& connection);

    TransferFault AppActivate(const std::u16string& title) override;
    TransferFault ClipboardClear() override;
    TransferFault ClipboardSetText(const std::u16string& text) override;
    TransferFault SendKeys(const KeySequence& keys, bool wait) override;

private:
    X11Connection& m_connection;
    X11ClipboardRequestWatcher m_watcher;
    X11KeyInjector m_keys;
    xcb_window_t m_target = XCB_NONE;
    SteadyWaitClock m_clock;
    PasteWatch m_pasteWatch;
    uint32_t m_previousPaste = 0;

    TransferFault waitForPaste(uint32_t keyPress);
    void waitUntilMade();
    void waitForReleasedKeys();
};

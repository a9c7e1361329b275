#pragma once

#include "X11ClipboardRequestWatcher.h"
#include "X11KeyInjector.h"
#include "X11WindowPing.h"
#include "link/TransferSink.h"
#include "link/TransferWaits.h"

#include <xcb/xcb.h>

#include <map>

class X11Connection;

// The spreadsheet link on an X11 display (also XWayland), through the X connection of the running
// QGuiApplication, which must use the xcb platform.
//
// The clipboard is Qt's: this process owns it and answers the spreadsheet's requests whenever the
// event loop runs, so every wait below runs the event loop (without user input), which also keeps
// the windows painted.
//
// Before every batch of keys the target window must still be open, its program must answer a
// ping within kAnswerTimeoutMs, and the keyboard focus must be in it; otherwise nothing is sent.
//
// "With wait" for a paste keystroke means: the spreadsheet has fetched the clipboard for that
// paste, and has stopped fetching, as PasteWatch tells from the data requests of the spreadsheet's
// own windows. Keystrokes with wait that are not a paste are waited for until the server has made
// their events, and a little longer.
class X11TransferSink : public TransferSink {
public:
    // How long the spreadsheet's program gets to answer a ping before it is taken for hung: time
    // for a paste and the recalculation after it, well short of the seconds a user would wait.
    static constexpr int kAnswerTimeoutMs = 2000;

    explicit X11TransferSink(X11Connection& connection);

    TransferFault AppActivate(const std::u16string& title) override;
    TransferFault ClipboardClear() override;
    TransferFault ClipboardSetText(const std::u16string& text) override;
    TransferFault SendKeys(const KeySequence& keys, bool wait) override;

private:
    X11Connection& m_connection;
    X11ClipboardRequestWatcher m_watcher;
    X11KeyInjector m_keys;
    X11WindowPing m_ping;
    xcb_window_t m_target = XCB_NONE;
    // The process of the target's program (0 when unknown), and for each X client seen asking for
    // the clipboard whether it belongs to that program.
    uint32_t m_targetProcess = 0;
    std::map<uint32_t, bool> m_targetClients;
    SteadyWaitClock m_clock;
    PasteWatch m_pasteWatch;
    uint32_t m_previousPaste = 0;

    bool belongsToTarget(xcb_window_t window);
    bool targetHasFocus();
    TransferFault readyForKeys(bool activated);
    TransferFault targetOpen() const;
    TransferFault waitForPaste(uint32_t keyPress);
    void waitUntilMade();
    void waitForReleasedKeys();
};

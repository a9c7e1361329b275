#pragma once

#include "X11ClipboardOffer.h"
#include "X11ClipboardRequestWatcher.h"
#include "X11KeyInjector.h"
#include "X11WindowPing.h"
#include "link/TransferSink.h"
#include "link/TransferWaits.h"

#include <QMimeData>
#include <QPointer>
#include <QTimer>

#include <xcb/xcb.h>

#include <map>
#include <memory>

class X11Connection;

// The spreadsheet link on an X11 display (also XWayland), through the X connection of the running
// QGuiApplication, which must use the xcb platform.
//
// The clipboard is Qt's: this process owns it and answers every program's requests whenever the
// event loop runs, from a content that X11ClipboardOffer answers for, so every wait below runs the
// event loop (without user input), which also keeps the windows painted.
//
// Before every batch of keys the target window must still be open, its program must answer a
// ping within kAnswerTimeoutMs, and the keyboard focus must be in it; otherwise nothing is sent.
//
// "With wait" for a paste keystroke means: the spreadsheet takes the keys after it in order, and
// the next paste keystroke (or the next activation) waits until PasteWatch takes the paste as over,
// from the data requests of the spreadsheet's own windows and its answers to pings sent after
// them. Until that next keystroke the spreadsheet's requests get this paste's text, whatever the
// transfer has put on the clipboard since. Keystrokes with wait that are not a paste are waited
// for until the server has made their events, and a little longer.
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
    std::shared_ptr<X11ClipboardOffer> m_offer;
    X11ClipboardRequestWatcher m_watcher;
    X11KeyInjector m_keys;
    X11WindowPing m_ping;
    xcb_window_t m_target = XCB_NONE;
    // The process of the target's program (0 when unknown), and for each X client seen asking for
    // the clipboard whether it belongs to that program.
    uint32_t m_targetProcess = 0;
    std::map<uint32_t, bool> m_targetClients;
    SteadyWaitClock m_clock;
    PasteWatch m_pasteWatch{m_clock};
    // The content this process owns the clipboard with (gone once another program has taken the
    // clipboard); whether the newest text is to be put up, or the clipboard emptied, once the
    // paste followed is over, and the timer that looks for that after a transfer.
    QPointer<QMimeData> m_owned;
    bool m_putUpLater = false;
    bool m_clearLater = false;
    QTimer m_clearTimer;
    // The paste followed: the sequence number of its key press, the last ping sent before the
    // spreadsheet's last fetch of it, and its fetches that came after the spreadsheet had answered
    // a ping sent after the fetch before.
    uint32_t m_pasteKey = 0;
    uint32_t m_pingBeforeFetch = 0;
    int m_afterAnswer = 0;

    bool belongsToTarget(xcb_window_t window);
    bool targetHasFocus();
    TransferFault readyForKeys(bool activated);
    TransferFault targetOpen() const;
    void onSpreadsheetFetch();
    PasteWatch::Seen seen();
    bool pasteMayFetch();
    TransferFault finishPaste();
    void putUp();
    void clearNow();
    void waitUntilMade();
    void waitForReleasedKeys();
};

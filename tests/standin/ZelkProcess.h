#pragma once

#include <QProcess>
#include <QStringList>

#include <xcb/xcb.h>

// Runs the real lookup program (build/bin/zelk) for the link's end-to-end test and benchmark and
// works it from outside as a user would: keys typed and clicks made through XTEST (xdotool), its
// window found by its caption in the window manager's client list. zelk runs with
// ZELK_REPORT_CHOICES, so it says on standard output when a member choice has been handled and
// what its value label then shows. Needs a QGuiApplication on the xcb platform.
class ZelkProcess {
public:
    ZelkProcess() = default;
    ~ZelkProcess();
    ZelkProcess(const ZelkProcess&) = delete;
    ZelkProcess& operator=(const ZelkProcess&) = delete;

    // Starts zelk on `catalogue`, with ZELK_SPREADSHEET_TITLE set to `spreadsheetTitle` when that
    // is not empty, and waits until its window is on the screen and active.
    bool start(const QString& catalogue, const QString& spreadsheetTitle = QString());
    void stop();

    // Clicks the value strip along the bottom of the window, which takes no focus of its own, so
    // that the window becomes active again with the focus where the user left it; waits for that.
    bool activate();
    // Types the keys, in xdotool's names ("Tab", "Down", "alt+s", "space"), as one keystroke each,
    // `delayMs` apart (half of it between a key's press and its release).
    bool type(const QStringList& keys, int delayMs = 40);

    // The value label's text after each member choice so far, in order.
    QStringList choices();
    bool waitForChoices(qsizetype count, int timeoutMs);

    xcb_window_t window() const { return window_; }
    bool isActive() const;
    QString error;

private:
    QProcess process_;
    QByteArray output_;
    QStringList choices_;
    xcb_window_t window_ = XCB_NONE;

    bool fail(const QString& message);
    bool clickValueStrip();
};

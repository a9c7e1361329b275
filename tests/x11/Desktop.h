#pragma once

#include <QProcess>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>

#include <xcb/xcb.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

class QApplication;

// What the X11 tests and the link benchmark do on the private X server of scripts/x11-session: run
// the stand-in spreadsheet and the real zelk, and work zelk from outside as a user would, with
// real key presses and clicks (xdotool, through XTEST). Needs the QApplication on xcb.

constexpr int kDesktopTimeoutMs = 20000;

// The one QApplication of a test program (GoogleTest's main creates none).
QApplication& desktopApplication();
// Runs the event loop until `condition` holds; false when `timeoutMs` went by first.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = kDesktopTimeoutMs);

// A process that ends with its owner: asked to end, killed when it does not.
struct ChildProcess : QProcess {
    ~ChildProcess() override {
        terminate();
        if (!waitForFinished(5000))
            kill();
    }
};

class StandInProcess {
public:
    // Starts it with its window titled `title` (in `mode`, see StandInSpreadsheet.cpp) and waits
    // until the window is on the screen.
    bool start(const QString& title, int rows = 40, const QString& mode = {});
    // The grid file's entries: "cursor", "pastes", "ignored" and the cells that are not empty.
    std::map<std::string, std::string> grid() const;
    // Whether it has stopped itself (mode stop-after-paste); resume() lets it go on.
    bool isStopped() const;
    void resume();
    QString error;

private:
    QTemporaryDir m_dir;
    ChildProcess m_process;
};

class ZelkProcess {
public:
    // Starts zelk with `arguments` (and ZELK_SPREADSHEET_TITLE = `spreadsheetTitle` unless empty),
    // reporting its member choices; waits until its window is on the screen and active.
    bool start(const QStringList& arguments, const QString& spreadsheetTitle = {});
    // Clicks the value strip along the bottom of the window, which takes no focus of its own, so
    // that the window becomes active with the focus where the user left it.
    bool activate();
    // Types keys in xdotool's names ("Tab", "alt+s", "space"), `delayMs` apart.
    bool type(const QStringList& keys, int delayMs = 40);
    // The value label after each member choice so far, as zelk reports it once the choice is done.
    std::vector<std::u16string> choices();
    bool waitForChoices(std::size_t count);
    // The texts of the message boxes shown so far, line breaks as "\n".
    std::vector<std::string> messages();
    // Closes the window that zelk shows beside the lookup window (a message box) once it is
    // there, and returns its title.
    std::u16string closeDialog();
    // The lookup window's title.
    std::u16string title() const;
    // Covers zelk's window and uncovers it, then waits until zelk has painted it anew or `waiting`
    // no longer holds; true when it painted while `waiting` held.
    bool repaintsWhile(const std::function<bool()>& waiting);

    xcb_window_t window() const { return m_window; }
    // The process's windows that the window manager manages: the lookup window and any other.
    std::vector<xcb_window_t> windows() const;
    bool isActive() const;
    bool isAbove(xcb_window_t window) const;
    // Asks the window manager to close `window`, as its close box does.
    void close(xcb_window_t window) const;
    QProcess& process() { return m_process; }
    QString error;

private:
    ChildProcess m_process;
    QByteArray m_output;
    std::vector<std::u16string> m_choices;
    std::vector<std::string> m_messages;
    xcb_window_t m_window = XCB_NONE;

    bool fail(const QString& message);
    // Where the window is on the screen; empty when it is gone.
    QRect place() const;
    void readOutput();
    bool showsRed() const;
};

// A clipboard manager as users run one (CopyQ, without a window), with a home of its own: it
// fetches every new clipboard content at once, many times over, and keeps it in its history.
class ClipboardManager {
public:
    // Starts it and waits until it has taken in a content of the test's own.
    bool start();
    // The newest entry of its history.
    QString newest() const;
    QString error;

private:
    QTemporaryDir m_home;
    ChildProcess m_process;
    QProcessEnvironment environment() const;
};

// The keyboard layout of the X server, changed for one test and put back afterwards. setxkbmap
// changes it for good only while some client stays connected (the window manager here): an Xvfb
// that its last client leaves starts over with its default layout.
class KeyboardLayout {
public:
    // Keeps the current keymap, then sets `layout` and `model`.
    bool set(const QString& layout, const QString& model);
    // The keymap as the server has it (xkbcomp -xkb), for a test to check that the change took.
    static QString dump();
    ~KeyboardLayout();
    QString error;

private:
    QTemporaryDir m_dir;
    bool m_saved = false;
};

// LibreOffice Calc with a profile of its own, its new sheet "Untitled 1 - LibreOffice Calc".
class CalcProcess {
public:
    bool start();
    // The cells of `range` that are not empty, as Calc copies them (values, not formulas): its
    // Name Box selects the range (Ctrl+Shift+F5), Ctrl+C copies it to the clipboard.
    std::map<std::string, std::string> cells(const QString& range);
    ~CalcProcess();
    QString error;

private:
    QTemporaryDir m_profile;
    ChildProcess m_process;
    xcb_window_t m_window = XCB_NONE;
};

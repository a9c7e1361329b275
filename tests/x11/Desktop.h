#pragma once
// What the X11 tests and the link benchmark do on the private X server of scripts/x11-session: run
// the stand-in spreadsheet and the real zelk, and work zelk from outside as a user would, with
// real key presses and clicks (xdotool, through XTEST). Needs the QApplication on xcb.
#include "platform/qt/x11/EventPump.h"
#include "platform/qt/x11/X11Connection.h"
#include "platform/qt/x11/X11WindowActivation.h"
#include "support/StandInGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QFile>
#include <QImage>
#include <QPalette>
#include <QProcess>
#include <QRect>
#include <QScreen>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>
#include <csignal>
#include <functional>
#include <optional>

constexpr int kDesktopTimeoutMs = 20000;

// The one QApplication of a test program (GoogleTest's main creates none).
inline QApplication& desktopApplication() {
    static int argc = 1;
    static char* argv[] = {const_cast<char*>("x11-test"), nullptr};
    static QApplication application(argc, argv);
    return application;
}

// Runs the event loop until `condition` holds; false when `timeoutMs` went by first.
inline bool waitUntil(const std::function<bool()>& condition, int timeoutMs = kDesktopTimeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        pumpEventsFor(5);
    }
    return true;
}

inline X11Connection& x11() {
    return *X11Connection::application();
}

// Runs a tool to its end; its standard output, or nothing when it failed.
inline std::optional<QString>
runTool(const QString& program, const QStringList& arguments,
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess tool;
    tool.setProcessEnvironment(environment);
    tool.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    tool.setStandardInputFile(QProcess::nullDevice()); // copyq's client reads it to its end
    tool.start(program, arguments);
    // Running the events meanwhile: the tool may ask this process for its clipboard.
    const bool ran = waitUntil([&] { return tool.state() == QProcess::NotRunning; }) &&
                     tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    return ran ? std::optional(QString::fromUtf8(tool.readAllStandardOutput())) : std::nullopt;
}

inline bool xdotool(const QStringList& arguments) {
    return runTool(QStringLiteral("xdotool"), arguments).has_value();
}

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
    bool start(const QString& title, const QString& mode = {}) {
        m_process.start(QStringLiteral(ZELK_STANDIN_PATH), {m_dir.filePath("grid"), title, mode});
        if (waitUntil([&] {
                return QFile::exists(m_dir.filePath("grid")) && findX11Window(x11(), title.toStdU16String());
            }))
            return true;
        error = QStringLiteral("the stand-in's window \"%1\" did not appear").arg(title);
        return false;
    }
    // The grid file's entries (support/StandInGrid.h).
    std::map<std::string, std::string> grid() const {
        return readGridFile(m_dir.filePath("grid").toStdString());
    }
    QString error;

private:
    QTemporaryDir m_dir;
    ChildProcess m_process;
};

class ZelkProcess {
public:
    // Starts zelk with `arguments` (and ZELK_SPREADSHEET_TITLE = `spreadsheetTitle` unless empty),
    // reporting its member choices; waits until its window is on the screen and active.
    bool start(const QStringList& arguments, const QString& spreadsheetTitle = {}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("ZELK_REPORT_CHOICES"), QStringLiteral("1"));
        environment.insert(QStringLiteral("ZELK_REPORT_MESSAGES"), QStringLiteral("1"));
        environment.remove(QStringLiteral("ZELK_SPREADSHEET_TITLE"));
        if (!spreadsheetTitle.isEmpty())
            environment.insert(QStringLiteral("ZELK_SPREADSHEET_TITLE"), spreadsheetTitle);
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(ZELK_BINARY_DIR "/bin/zelk"), arguments);
        if (!waitUntil([&] { return !windows().empty() || m_process.state() == QProcess::NotRunning; }) ||
            windows().empty())
            return fail(m_process.state() == QProcess::Running
                            ? QStringLiteral("zelk's window did not appear")
                            : QStringLiteral("zelk ended before its window appeared"));
        m_window = windows().front();
        // Beside the stand-in spreadsheet, as a user would put it; a click before the window is
        // there would land in the stand-in.
        if (!xdotool({"windowmove", QString::number(m_window), "860", "40"}) ||
            !waitUntil([this] { return place().topLeft() == QPoint(860, 40); }))
            return fail(QStringLiteral("zelk's window did not move beside the stand-in"));
        return activate();
    }

    // Clicks the value strip along the bottom of the window, which takes no focus of its own, so
    // that the window becomes active with the focus where the user left it. A click that came
    // while the window manager was still placing the window may have gone elsewhere; the user
    // then clicks again.
    bool activate() {
        for (int attempt = 0; attempt < 4; ++attempt) {
            const QRect window = place();
            if (window.isEmpty())
                return fail(QStringLiteral("zelk's window is gone"));
            const int x = window.left() + 4, y = window.bottom() - 2;
            if (!xdotool({"mousemove", QString::number(x), QString::number(y), "click", "1"}))
                return fail(QStringLiteral("xdotool could not click"));
            if (waitUntil([this] { return x11().activeWindow() == m_window; }, 3000))
                return true;
        }
        return fail(QStringLiteral("zelk's window did not become active"));
    }

    // Types keys in xdotool's names ("Tab", "alt+s", "space"), `delayMs` apart.
    bool type(const QStringList& keys, int delayMs = 40) {
        return xdotool(QStringList{"key", "--delay", QString::number(delayMs)} + keys) ||
               fail(QStringLiteral("xdotool could not type ") + keys.join(u' '));
    }

    // The value label after each member choice so far, as zelk reports it once the choice is done.
    std::vector<std::u16string> choices() { return readOutput(), m_choices; }
    // The texts of the message boxes shown so far, line breaks as "\n".
    std::vector<std::string> messages() { return readOutput(), m_messages; }

    // Closes the window that zelk shows beside the lookup window (a message box) once it is
    // there, and returns its title.
    std::u16string closeDialog() {
        if (!waitUntil([this] { return windows().size() == 2; }))
            return u"(no window beside the lookup window)";
        const xcb_window_t dialog = windows()[windows()[0] == m_window ? 1 : 0];
        const std::u16string shown = x11().title(dialog);
        close(dialog);
        waitUntil([this] { return windows().size() == 1; });
        return shown;
    }

    // Covers zelk's window with pure red, which the window never shows, above every window (no
    // window manager's frame, no focus) and uncovers it, then waits until zelk has painted it anew
    // or `waiting` no longer holds; true when it painted while `waiting` held.
    bool repaintsWhile(const std::function<bool()>& waiting) {
        QWidget cover(nullptr, Qt::X11BypassWindowManagerHint | Qt::FramelessWindowHint);
        cover.setPalette(QPalette(Qt::red));
        cover.setAutoFillBackground(true);
        cover.setGeometry(place());
        cover.show();
        const bool covered = waitUntil([&] { return showsRed(); });
        cover.hide();
        bool painted = false;
        waitUntil([&] { return !waiting() || (painted = !showsRed()); });
        return covered && painted;
    }

    xcb_window_t window() const { return m_window; }
    // The process's windows that the window manager manages: the lookup window and any other.
    std::vector<xcb_window_t> windows() const {
        std::vector<xcb_window_t> windows;
        for (const xcb_window_t window : x11().topLevelWindows()) {
            if (x11().processOf(window) == uint32_t(m_process.processId()) && x11().isManaged(window))
                windows.push_back(window);
        }
        return windows;
    }
    bool isAbove(xcb_window_t window) const {
        const std::vector<xcb_atom_t> states = x11().states(window);
        return std::find(states.begin(), states.end(), x11().ewmh()._NET_WM_STATE_ABOVE) != states.end();
    }
    // Asks the window manager to close `window`, as its close box does.
    void close(xcb_window_t window) const {
        xcb_ewmh_request_close_window(&x11().ewmh(), 0, window, XCB_CURRENT_TIME,
                                      XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER);
        xcb_flush(x11().get());
    }
    QProcess& process() { return m_process; }
    QString error;

private:
    ChildProcess m_process;
    QByteArray m_output;
    std::vector<std::u16string> m_choices;
    std::vector<std::string> m_messages;
    xcb_window_t m_window = XCB_NONE;

    bool fail(const QString& message) {
        error = message;
        return false;
    }

    // Where the window is on the screen; empty when it is gone.
    QRect place() const {
        xcb_connection_t* c = x11().get();
        const X11Reply<xcb_get_geometry_reply_t> size(
            xcb_get_geometry_reply(c, xcb_get_geometry(c, m_window), nullptr));
        const X11Reply<xcb_translate_coordinates_reply_t> origin(xcb_translate_coordinates_reply(
            c, xcb_translate_coordinates(c, m_window, x11().root(), 0, 0), nullptr));
        return size && origin ? QRect(origin->dst_x, origin->dst_y, size->width, size->height) : QRect();
    }

    void readOutput() {
        m_output += m_process.readAllStandardOutput();
        for (qsizetype end; (end = m_output.indexOf('\n')) >= 0; m_output.remove(0, end + 1)) {
            if (m_output.startsWith("choice "))
                m_choices.push_back(QString::fromUtf8(m_output.mid(7, end - 7)).toStdU16String());
            else if (m_output.startsWith("message "))
                m_messages.push_back(m_output.mid(8, end - 8).toStdString());
        }
    }

    // Whether the screen where the window is, as the user sees it, shows pure red anywhere.
    bool showsRed() const {
        const QRect r = place();
        const QImage shot =
            QGuiApplication::primaryScreen()->grabWindow(0, r.x(), r.y(), r.width(), r.height()).toImage();
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                if (shot.pixelColor(x, y) == Qt::red)
                    return true;
            }
        }
        return false;
    }
};

// A clipboard manager as users run one (CopyQ, without a window), with a home of its own: it
// fetches every new clipboard content at once, many times over, and keeps it in its history.
class ClipboardManager {
public:
    // Starts it and waits until it has taken in a content of the test's own: a new text each time
    // until it has come up and taken one in, since what it found at its start it takes for old,
    // and a text it has seen before for unchanged.
    bool start() {
        m_process.setProcessEnvironment(environment());
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral("copyq"), {});
        for (int attempt = 0; attempt < 10; ++attempt) {
            const QString mark = QStringLiteral("clipboard manager ready %1").arg(attempt);
            QGuiApplication::clipboard()->setText(mark);
            if (waitUntil([&] { return newest() == mark; }, 2000))
                return true;
        }
        error = QStringLiteral("CopyQ did not take in the clipboard");
        return false;
    }
    // The newest entry of its history.
    QString newest() const { return runTool("copyq", {"read", "0"}, environment()).value_or(QString()); }
    QString error;

private:
    QTemporaryDir m_home;
    ChildProcess m_process;
    QProcessEnvironment environment() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name :
             {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"})
            environment.insert(QString::fromLatin1(name), m_home.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        return environment;
    }
};

// LibreOffice Calc with a profile of its own, its new sheet "Untitled 1 - LibreOffice Calc".
class CalcProcess {
public:
    bool start() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("SAL_USE_VCLPLUGIN"), QStringLiteral("gen")); // an X11 client
        m_process.setProcessEnvironment(environment);
        m_process.start(QStringLiteral("soffice"), {"-env:UserInstallation=file://" + m_profile.path(),
                                                    "--calc", "--norestore", "--nologo", "--nolockcheck"});
        if (waitUntil(
                [&] {
                    return (m_window = findX11Window(x11(), u"Untitled 1 - LibreOffice Calc")) != XCB_NONE;
                },
                120000))
            return true;
        error = QStringLiteral("LibreOffice Calc's window did not appear");
        return false;
    }

    // The cells of the sheet that are not empty, as Calc copies them (values, not formulas): all of
    // them selected from A1 on, copied to the clipboard.
    std::map<std::string, std::string> cells() {
        const QString mark = QStringLiteral("before the copy");
        QGuiApplication::clipboard()->setText(mark);
        std::map<std::string, std::string> cells;
        if (!xdotool({"windowactivate", "--sync", QString::number(m_window)}) ||
            !xdotool({"key", "--delay", "40", "ctrl+Home", "ctrl+shift+End", "ctrl+c"}) ||
            !waitUntil([&] { return QGuiApplication::clipboard()->text() != mark; }))
            return cells;
        const QStringList rows = QGuiApplication::clipboard()->text().remove(u'\r').split(u'\n');
        for (int row = 0; row < rows.size(); ++row) {
            const QStringList fields = rows[row].split(u'\t');
            for (int column = 0; column < fields.size(); ++column) {
                if (!fields[column].isEmpty())
                    cells[char('A' + column) + std::to_string(row + 1)] = fields[column].toStdString();
            }
        }
        return cells;
    }

    // The window belongs to soffice.bin, a child of the soffice started here, which ends with it.
    ~CalcProcess() {
        if (const uint32_t pid = m_window != XCB_NONE ? x11().processOf(m_window) : 0)
            ::kill(pid_t(pid), SIGTERM);
    }
    QString error;

private:
    QTemporaryDir m_profile;
    ChildProcess m_process;
    xcb_window_t m_window = XCB_NONE;
};

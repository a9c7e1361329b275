#include "Desktop.h"

#include "platform/qt/x11/EventPump.h"
#include "platform/qt/x11/X11Connection.h"
#include "platform/qt/x11/X11WindowActivation.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>

#include <algorithm>

namespace {

X11Connection& x11() {
    return *X11Connection::application();
}

bool xdotool(const QStringList& arguments) {
    QProcess tool;
    tool.setProcessChannelMode(QProcess::ForwardedChannels);
    tool.start(QStringLiteral("xdotool"), arguments);
    return tool.waitForFinished(10000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

} // namespace

QApplication& desktopApplication() {
    static int argc = 1;
    static char* argv[] = {const_cast<char*>("x11-test"), nullptr};
    static QApplication application(argc, argv);
    return application;
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        pumpEventsFor(5);
    }
    return true;
}

bool StandInProcess::start(const QString& title, int rows) {
    m_process.start(QStringLiteral(ZELK_STANDIN_PATH),
                    {m_dir.filePath("grid"), title, QString::number(rows)});
    if (waitUntil([&] {
            return QFile::exists(m_dir.filePath("grid")) && findX11Window(x11(), title.toStdU16String());
        }))
        return true;
    error = QStringLiteral("the stand-in's window \"%1\" did not appear").arg(title);
    return false;
}

std::map<std::string, std::string> StandInProcess::grid() const {
    std::map<std::string, std::string> entries;
    QFile file(m_dir.filePath("grid"));
    (void)file.open(QIODevice::ReadOnly); // none yet: no entries
    for (const QByteArray& line : file.readAll().split('\n')) {
        const qsizetype tab = line.indexOf('\t');
        if (tab > 0)
            entries[line.left(tab).toStdString()] = line.mid(tab + 1).toStdString();
    }
    return entries;
}

bool ZelkProcess::fail(const QString& message) {
    error = message;
    return false;
}

bool ZelkProcess::start(const QStringList& arguments, const QString& spreadsheetTitle) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("ZELK_REPORT_CHOICES"), QStringLiteral("1"));
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
    // Beside the stand-in spreadsheet, as a user would put it; a click before the window is there
    // would land in the stand-in.
    if (!xdotool({"windowmove", QString::number(m_window), "860", "40"}) ||
        !waitUntil([this] { return place().topLeft() == QPoint(860, 40); }))
        return fail(QStringLiteral("zelk's window did not move beside the stand-in"));
    return activate();
}

bool ZelkProcess::activate() {
    // A click that came while the window manager was still placing the window may have gone
    // elsewhere; the user then clicks again.
    for (int attempt = 0; attempt < 4; ++attempt) {
        const QRect window = place();
        if (window.isEmpty())
            return fail(QStringLiteral("zelk's window is gone"));
        const int x = window.left() + 4, y = window.bottom() - 2;
        if (!xdotool({"mousemove", QString::number(x), QString::number(y), "click", "1"}))
            return fail(QStringLiteral("xdotool could not click"));
        if (waitUntil([this] { return isActive(); }, 3000))
            return true;
    }
    return fail(QStringLiteral("zelk's window did not become active"));
}

QRect ZelkProcess::place() const {
    xcb_connection_t* c = x11().get();
    const X11Reply<xcb_get_geometry_reply_t> size(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, m_window), nullptr));
    const X11Reply<xcb_translate_coordinates_reply_t> origin(xcb_translate_coordinates_reply(
        c, xcb_translate_coordinates(c, m_window, x11().root(), 0, 0), nullptr));
    return size && origin ? QRect(origin->dst_x, origin->dst_y, size->width, size->height) : QRect();
}

bool ZelkProcess::type(const QStringList& keys, int delayMs) {
    return xdotool(QStringList{"key", "--delay", QString::number(delayMs)} + keys) ||
           fail(QStringLiteral("xdotool could not type ") + keys.join(u' '));
}

std::vector<std::u16string> ZelkProcess::choices() {
    m_output += m_process.readAllStandardOutput();
    for (qsizetype end; (end = m_output.indexOf('\n')) >= 0; m_output.remove(0, end + 1)) {
        if (m_output.startsWith("choice "))
            m_choices.push_back(QString::fromUtf8(m_output.mid(7, end - 7)).toStdU16String());
    }
    return m_choices;
}

bool ZelkProcess::waitForChoices(std::size_t count) {
    return waitUntil([&] { return choices().size() >= count; });
}

std::vector<xcb_window_t> ZelkProcess::windows() const {
    std::vector<xcb_window_t> windows;
    xcb_ewmh_connection_t& ewmh = x11().ewmh();
    for (const xcb_window_t window : x11().topLevelWindows()) {
        uint32_t pid = 0;
        if (xcb_ewmh_get_wm_pid_reply(&ewmh, xcb_ewmh_get_wm_pid(&ewmh, window), &pid, nullptr) &&
            pid == uint32_t(m_process.processId()) && x11().isManaged(window))
            windows.push_back(window);
    }
    return windows;
}

bool ZelkProcess::isActive() const {
    return x11().activeWindow() == m_window;
}

bool ZelkProcess::isAbove(xcb_window_t window) const {
    const std::vector<xcb_atom_t> states = x11().states(window);
    return std::find(states.begin(), states.end(), x11().ewmh()._NET_WM_STATE_ABOVE) != states.end();
}

void ZelkProcess::close(xcb_window_t window) const {
    xcb_ewmh_request_close_window(&x11().ewmh(), 0, window, XCB_CURRENT_TIME,
                                  XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER);
    xcb_flush(x11().get());
}

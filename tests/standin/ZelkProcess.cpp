#include "ZelkProcess.h"

#include "platform/EventPump.h"
#include "platform/X11Atoms.h"
#include "platform/X11WindowActivation.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr int kWindowTimeoutMs = 20000;
constexpr int kActiveTimeoutMs = 3000;
constexpr int kActivateAttempts = 4;
constexpr int kLeft = 860;
constexpr int kTop = 40;

xcb_connection_t* connection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t rootWindow() {
    return xcb_setup_roots_iterator(xcb_get_setup(connection())).data->root;
}

// Runs xdotool on the test's display and waits for it; false when it failed.
bool xdotool(const QStringList& arguments) {
    QProcess tool;
    tool.setProcessChannelMode(QProcess::ForwardedChannels);
    tool.start(QStringLiteral("xdotool"), arguments);
    return tool.waitForFinished(10000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

template <typename Condition> bool waitUntil(Condition condition, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        PumpEventsFor(10);
    }
    return true;
}

} // namespace

ZelkProcess::~ZelkProcess() {
    stop();
}

bool ZelkProcess::fail(const QString& message) {
    error = message;
    return false;
}

bool ZelkProcess::start(const QString& catalogue, const QString& spreadsheetTitle) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("ZELK_REPORT_CHOICES"), QStringLiteral("1"));
    environment.remove(QStringLiteral("ZELK_SPREADSHEET_TITLE"));
    if (!spreadsheetTitle.isEmpty())
        environment.insert(QStringLiteral("ZELK_SPREADSHEET_TITLE"), spreadsheetTitle);
    process_.setProcessEnvironment(environment);
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.setReadChannel(QProcess::StandardOutput);
    QObject::connect(&process_, &QProcess::readyReadStandardError, &process_,
                     [this] { std::fputs(process_.readAllStandardError().constData(), stderr); });
    process_.start(QStringLiteral(ZELK_PATH), {catalogue});
    if (!process_.waitForStarted())
        return fail(QStringLiteral("zelk did not start: ") + process_.errorString());

    const QString caption =
        QStringLiteral("ZELK_Win [ ") + QFileInfo(catalogue).fileName() + QStringLiteral(" ]");
    const bool shown = waitUntil(
        [&] {
            window_ = FindX11WindowByTitle(connection(), rootWindow(), caption);
            return window_ != XCB_NONE || process_.state() != QProcess::Running;
        },
        kWindowTimeoutMs);
    if (!shown || window_ == XCB_NONE)
        return fail(QStringLiteral("zelk's window \"%1\" did not appear").arg(caption));
    // Beside the stand-in spreadsheet, as a user would put it, so that both can be seen.
    if (!xdotool({QStringLiteral("windowmove"), QStringLiteral("--sync"), QString::number(window_),
                  QString::number(kLeft), QString::number(kTop)}))
        return fail(QStringLiteral("xdotool could not move zelk's window"));
    return activate();
}

void ZelkProcess::stop() {
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(10000)) {
        process_.kill();
        process_.waitForFinished(2000);
    }
}

bool ZelkProcess::isActive() const {
    const std::vector<uint32_t> active = PropertyValues32(
        connection(), rootWindow(), InternAtom(connection(), "_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW);
    return !active.empty() && active.front() == window_;
}

bool ZelkProcess::activate() {
    // A click that came while the window manager was still placing the window may have gone
    // elsewhere; the user then clicks again.
    for (int attempt = 0; attempt < kActivateAttempts; ++attempt) {
        if (!clickValueStrip())
            return false;
        if (waitUntil([this] { return isActive(); }, kActiveTimeoutMs))
            return true;
    }
    return fail(QStringLiteral("zelk's window did not become active"));
}

bool ZelkProcess::clickValueStrip() {
    xcb_connection_t* c = connection();
    const std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window_), nullptr), &std::free);
    const std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&std::free)> origin(
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, window_, rootWindow(), 0, 0),
                                        nullptr),
        &std::free);
    if (!geometry || !origin)
        return fail(QStringLiteral("zelk's window is gone"));
    const int x = origin->dst_x + 4;
    const int y = origin->dst_y + geometry->height - 3;
    if (!xdotool({QStringLiteral("mousemove"), QString::number(x), QString::number(y),
                  QStringLiteral("click"), QStringLiteral("1")}))
        return fail(QStringLiteral("xdotool could not click"));
    return true;
}

bool ZelkProcess::type(const QStringList& keys, int delayMs) {
    if (!xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QString::number(delayMs)} +
                 keys))
        return fail(QStringLiteral("xdotool could not type ") + keys.join(u' '));
    return true;
}

QStringList ZelkProcess::choices() {
    output_ += process_.readAllStandardOutput();
    qsizetype end;
    while ((end = output_.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(output_.left(end));
        output_.remove(0, end + 1);
        if (line.startsWith(QStringLiteral("choice ")))
            choices_.append(line.mid(7));
    }
    return choices_;
}

bool ZelkProcess::waitForChoices(qsizetype count, int timeoutMs) {
    return waitUntil([&] { return choices().size() >= count || process_.state() != QProcess::Running; },
                     timeoutMs) &&
           choices_.size() >= count;
}

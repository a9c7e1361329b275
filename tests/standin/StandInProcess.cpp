#include "StandInProcess.h"

#include "platform/EventPump.h"
#include "platform/X11WindowActivation.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>

namespace {

constexpr int kStartTimeoutMs = 15000;

bool windowShown(const QString& title) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return false;
    xcb_connection_t* c = x11->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    return FindX11WindowByTitle(c, root, title) != XCB_NONE;
}

} // namespace

StandInProcess::~StandInProcess() {
    stop();
}

bool StandInProcess::start(const QString& title, int rows) {
    gridFile_ = dir_.filePath(QStringLiteral("grid.txt"));
    process_.setProcessChannelMode(QProcess::ForwardedChannels);
    process_.start(QStringLiteral(ZELK_STANDIN_PATH),
                   {QStringLiteral("--grid"), gridFile_, QStringLiteral("--title"), title,
                    QStringLiteral("--rows"), QString::number(rows)});
    if (!process_.waitForStarted()) {
        error = QStringLiteral("the stand-in did not start: ") + process_.errorString();
        return false;
    }
    // Shown once it has written its empty grid and the window list has its window.
    QElapsedTimer clock;
    clock.start();
    while (!(QFile::exists(gridFile_) && windowShown(title))) {
        if (clock.elapsed() > kStartTimeoutMs || process_.state() != QProcess::Running) {
            error = QStringLiteral("the stand-in's window did not appear");
            return false;
        }
        PumpEventsFor(20);
    }
    return true;
}

void StandInProcess::stop() {
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(2000);
    }
}

QMap<QString, QString> StandInProcess::grid() const {
    QMap<QString, QString> entries;
    QFile file(gridFile_);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const qsizetype tab = line.indexOf(u'\t');
        if (tab > 0)
            entries.insert(line.left(tab), line.mid(tab + 1));
    }
    return entries;
}

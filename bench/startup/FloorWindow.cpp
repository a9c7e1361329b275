// The floor of the start-up benchmark: the least a Qt Widgets program does to put a window with
// a menu bar on the screen, reporting its first paint the way zelk does.
#include "platform/qt/app/FirstPaintReporter.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"));
    window.resize(180, 232);
    reportFirstPaint(window);
    window.show();
    return QApplication::exec();
}

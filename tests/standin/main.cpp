#include "StandInWindow.h"

#include <QApplication>
#include <QCommandLineParser>

#include <algorithm>

// The stand-in spreadsheet: `zelk-standin-spreadsheet --grid FILE [--title TITLE] [--rows N]`.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A spreadsheet stand-in for the link tests."));
    parser.addHelpOption();
    const QCommandLineOption grid(QStringLiteral("grid"), QStringLiteral("Where the grid is written."),
                                  QStringLiteral("FILE"));
    const QCommandLineOption title(QStringLiteral("title"), QStringLiteral("The window title."),
                                   QStringLiteral("TITLE"), QStringLiteral("Microsoft Excel - Book1"));
    const QCommandLineOption rows(QStringLiteral("rows"), QStringLiteral("How many rows the grid has."),
                                  QStringLiteral("N"), QStringLiteral("40"));
    parser.addOption(grid);
    parser.addOption(rows);
    parser.addOption(title);
    parser.process(app);
    if (!parser.isSet(grid))
        parser.showHelp(64);

    StandInWindow window(parser.value(grid), std::max(1, parser.value(rows).toInt()));
    window.setWindowTitle(parser.value(title));
    window.setGeometry(10, 40, 820, 600);
    window.show();
    return app.exec();
}

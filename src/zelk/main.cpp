#include "ChoiceReporter.h"
#include "FirstPaintReporter.h"
#include "lookup/ZelkExitStatus.h"
#include "platform/PlatformTransferSink.h"
#include "platform/ShellOpener.h"
#include "platform/StayOnTopFactory.h"
#include "windows/DesignFont.h"
#include "windows/QtEditorDialogs.h"
#include "windows/frmZELK.h"

#include <QApplication>

#include <cstdio>

namespace {

// The command line after the program's name as one text: the arguments joined by single blanks,
// nothing trimmed. Taken before QApplication removes the options it knows (-style, -display...),
// so that a catalogue path is taken whole whatever it looks like.
QString argumentText(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments.join(u' ');
}

// Without a window system Qt would abort with a message about platform plugins; say plainly what
// to do instead.
bool windowSystemReachable() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char* argv[]) {
    if (!windowSystemReachable()) {
        std::fputs(
            "zelk: no display to show the window on (DISPLAY is not set).\n"
            "Run it under a virtual display, for instance: xvfb-run build/bin/zelk data/JISTEELW.CSV\n",
            stderr);
        return ZelkExitNoDisplay;
    }
    const QString catalogueArgument = argumentText(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zelk"));
    // Every control whose design names no font of its own shows the Japanese interface face.
    QApplication::setFont(designFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));

    const auto stayOnTop = createStayOnTop();
    const auto transferSink = CreatePlatformTransferSink();
    SystemShellOpener shellOpener;
    QtEditorDialogs editorDialogs;
    frmZELK window(*stayOnTop, *transferSink, shellOpener, editorDialogs);
    FirstPaintReporter firstPaint;
    if (qEnvironmentVariableIsSet("ZELK_REPORT_FIRST_PAINT"))
        window.installEventFilter(&firstPaint);
    if (qEnvironmentVariableIsSet("ZELK_REPORT_CHOICES"))
        ReportMemberChoices(window);

    if (window.logic().Form_Load(catalogueArgument) == LookupWindowLogic::StartOutcome::Closed)
        return ZelkExitCatalogueMissing;
    window.show();
    return QApplication::exec();
}

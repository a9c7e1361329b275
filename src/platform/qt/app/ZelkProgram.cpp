#include "ZelkProgram.h"

#include "ChoiceReporter.h"
#include "FirstPaintReporter.h"
#include "MessageReporter.h"
#include "forms/ZelkExitStatus.h"
#include "platform/qt/LookupWindow.h"
#include "platform/qt/QtDesign.h"
#include "platform/qt/x11/PlatformTransferSink.h"
#include "platform/qt/x11/StayOnTop.h"

#include <QApplication>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace {

// The command line after the program's name as one path: the arguments joined by single blanks,
// nothing trimmed. Taken before QApplication removes the options it knows (-style, -display...),
// so that a catalogue path is taken whole whatever it looks like.
std::filesystem::path catalogueArgument(int argc, char* argv[]) {
    std::string text;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            text += ' ';
        text += argv[i];
    }
    return text;
}

// Without a window system Qt would abort with a message about platform plugins; say plainly what
// to do instead.
bool windowSystemReachable() {
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

int runZelk(int argc, char* argv[]) {
    if (!windowSystemReachable()) {
        std::fputs(
            "zelk: no display to show the window on (DISPLAY is not set).\n"
            "Run it under a virtual display, for instance: xvfb-run build/bin/zelk data/JISTEELW.CSV\n",
            stderr);
        return int(ZelkExitStatus::NoDisplay);
    }
    const std::filesystem::path argument = catalogueArgument(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zelk"));
    // Every control whose design names no font of its own shows the Japanese interface face.
    QApplication::setFont(designFont(kInterfaceFont));

    const std::unique_ptr<TransferSink> transferSink = createPlatformTransferSink();
    LookupWindow window(*transferSink, setWindowStayOnTop);
    if (qEnvironmentVariableIsSet("ZELK_REPORT_FIRST_PAINT"))
        reportFirstPaint(window);
    if (qEnvironmentVariableIsSet("ZELK_REPORT_CHOICES"))
        reportMemberChoices(window);
    if (qEnvironmentVariableIsSet("ZELK_REPORT_MESSAGES"))
        reportMessages();

    if (window.logic().Form_Load(argument) == LookupWindowLogic::StartOutcome::Closed)
        return int(ZelkExitStatus::CatalogueMissing);
    window.show();
    return QApplication::exec();
}

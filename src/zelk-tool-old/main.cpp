#include "CatalogueCommands.h"
#include "KeysCommand.h"
#include "RegenCommand.h"
#include "ToolOutput.h"

#include <QCoreApplication>

namespace {

const char kUsage[] = "Usage: zelk-tool COMMAND [ARGUMENTS]\n"
                      "The command-line companion of the zelk steel look-up window.\n\n"
                      "Commands:\n"
                      "  show FILE    print the catalogue FILE as the window loads it, as JSON\n"
                      "  check FILE   list the problems that loading FILE repairs, one per line\n"
                      "  regen FILE [-o OUT]\n"
                      "               recompute the paint-area coefficients of FILE into JISTEELW.new\n"
                      "               (or OUT)\n"
                      "  keys TEXT    print the keystrokes that the keystroke setting TEXT stands for\n\n"
                      "Run 'zelk-tool COMMAND --help' for a command's options.\n";

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zelk-tool"));
    const QStringList arguments = QCoreApplication::arguments();
    const QString command = arguments.value(1);
    const QStringList commandArguments = arguments.mid(1);

    if (command == u"show")
        return runShow(commandArguments);
    if (command == u"check")
        return runCheck(commandArguments);
    if (command == u"regen")
        return runRegen(commandArguments);
    if (command == u"keys")
        return runKeys(commandArguments);
    if (command == u"--help" || command == u"-h" || command == u"help") {
        printOut(QString::fromUtf8(kUsage));
        return ExitOk;
    }
    printErr(command.isEmpty() ? QString::fromUtf8(kUsage)
                               : QStringLiteral("zelk-tool: unknown command '%1'\n\n").arg(command) +
                                     QString::fromUtf8(kUsage));
    return ExitUsage;
}

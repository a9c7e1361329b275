#include "KeysCommand.h"

#include "ToolOutput.h"
#include "lookup/KeySequence.h"

#include <QCommandLineParser>

int runKeys(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Prints the keystrokes that a keystroke setting of the spreadsheet link stands for,\n"
                       "one per line: held modifiers (Shift+, Ctrl+, Alt+), then the key's name or the\n"
                       "typed character in double quotes."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("TEXT"),
                                 QStringLiteral("The keystroke text, e.g. \"{LEFT 2}~\"."));
    // A text may begin with "-" (a Subtract key typed as itself); only the options above are options.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.process(arguments); // --help prints and exits here
    if (parser.positionalArguments().size() != 1) {
        printErr(parser.helpText());
        return ExitUsage;
    }
    const KeySequenceParse parsed = ParseKeySequence(parser.positionalArguments().constFirst());
    if (!parsed.sequence) {
        printErr(parsed.error + u'\n');
        return ExitProblems;
    }
    QString out;
    for (const KeyStroke& stroke : parsed.sequence->strokes)
        out += stroke.description() + u'\n';
    printOut(out);
    return ExitOk;
}

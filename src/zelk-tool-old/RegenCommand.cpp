#include "RegenCommand.h"

#include "ToolOutput.h"
#include "catalogue/LoadCatalogue.h"
#include "coefficients/RegenerateCoefficients.h"

#include <QCommandLineParser>

namespace {

// Prints what the window would show in message boxes: the summary on standard output, the
// rest on standard error.
class PrintingReporter : public RegenerationReporter {
public:
    explicit PrintingReporter(const QString& dataFileName) : m_dataFileName(dataFileName) {}

    void problem(qint64 line, const QString& text) override {
        printErr(m_dataFileName + u':' + ProblemLineText({line, text}) + u'\n');
    }

    void stopped(const RegenerationResult& result) override {
        printErr(result.message + u'\n');
        if (result.status == RegenerationResult::Status::DataError && result.line > 0)
            printErr(QStringLiteral("（%1 の %2 行目）\n").arg(m_dataFileName).arg(result.line));
    }

    void summary(const QString&, const QString& prompt) override { printOut(prompt + u'\n'); }

private:
    const QString& m_dataFileName;
};

} // namespace

int runRegen(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral(
            "Recomputes every member's paint-area coefficient of the catalogue FILE and writes the "
            "whole catalogue to %1 in the current directory (or to OUT). Prints the summary; "
            "exit status 2 on a data error (the output keeps what was written before it), 3 when "
            "a file cannot be read or written.")
            .arg(kRegeneratedFileName));
    parser.addHelpOption();
    const QCommandLineOption outputOption(
        QStringList{QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("Write to OUT instead of %1.").arg(kRegeneratedFileName), QStringLiteral("OUT"));
    parser.addOption(outputOption);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The catalogue file."));
    parser.process(arguments); // --help prints and exits here
    if (parser.positionalArguments().size() != 1) {
        printErr(parser.helpText());
        return ExitUsage;
    }
    const QString dataFileName = parser.positionalArguments().constFirst();
    const QString outputPath = parser.isSet(outputOption) ? parser.value(outputOption) : kRegeneratedFileName;

    PrintingReporter reporter(dataFileName);
    switch (RegenerateCoefficients(dataFileName, outputPath, reporter).status) {
    case RegenerationResult::Status::Done:
        return ExitOk;
    case RegenerationResult::Status::DataError:
        return ExitDataError;
    case RegenerationResult::Status::FileError:
        break;
    }
    return ExitFileError;
}

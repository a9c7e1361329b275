#include "CatalogueCommands.h"

#include "ToolOutput.h"
#include "catalogue/LoadCatalogue.h"
#include "lookup/MemberTexts.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

namespace {

// Parses "SUBCOMMAND FILE"; on a usage error prints it and sets `exitCode`.
std::optional<QString> parseFileArgument(const QStringList& arguments, const QString& description,
                                         int& exitCode) {
    QCommandLineParser parser;
    parser.setApplicationDescription(description);
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The catalogue file."));
    parser.process(arguments); // --help prints and exits here
    if (parser.positionalArguments().size() != 1) {
        printErr(parser.helpText());
        exitCode = ExitUsage;
        return std::nullopt;
    }
    return parser.positionalArguments().constFirst();
}

// Loads the file; on a missing or unreadable file or a tag mismatch prints the message as the
// window words it and sets `exitCode`.
std::optional<LoadResult> load(Catalogue& catalogue, const QString& file, int& exitCode) {
    LoadResult result = LoadCatalogue(catalogue, file);
    switch (result.status) {
    case LoadResult::Status::Loaded:
        return result;
    case LoadResult::Status::Missing:
    case LoadResult::Status::Unreadable:
        exitCode = ExitFileError;
        break;
    case LoadResult::Status::TagMismatch:
        exitCode = ExitTagMismatch;
        break;
    }
    printErr(result.message + u'\n');
    return std::nullopt;
}

QJsonObject memberJson(const Catalogue& c, qint16 g, qint16 m) {
    return QJsonObject{
        {QStringLiteral("MemberName"), c.MemberName[g][m]},
        {QStringLiteral("MemberRemark"), c.MemberRemark[g][m]},
        {QStringLiteral("MemberWeight"), c.MemberWeight[g][m]},
        {QStringLiteral("MemberPaintCoef"), c.MemberPaintCoef[g][m]},
        {QStringLiteral("label"), ValueLabelText(c, g, m)},
        {QStringLiteral("row"), TableRowText(c, g, m)},
    };
}

QJsonObject catalogueJson(const QString& file, const Catalogue& c, const LoadResult& result,
                          qsizetype unitLinesStored) {
    QJsonArray units;
    for (qsizetype k = 1; k <= unitLinesStored; ++k) {
        units.append(QJsonObject{{QStringLiteral("UnitWeightLabel"), c.UnitWeightLabel[std::size_t(k)]},
                                 {QStringLiteral("UnitPaintLabel"), c.UnitPaintLabel[std::size_t(k)]}});
    }
    QJsonArray groups;
    for (qint16 g = 1; g <= c.GroupCount; ++g) {
        QJsonArray members;
        for (qint16 m = 1; m <= c.GroupMemberCount[g]; ++m)
            members.append(memberJson(c, g, m));
        groups.append(QJsonObject{
            {QStringLiteral("GroupName"), c.GroupName[g]},
            {QStringLiteral("GroupKind"), c.GroupKind[g]},
            {QStringLiteral("GroupShape"), c.GroupShape[g]},
            {QStringLiteral("GroupMemberCount"), c.GroupMemberCount[g]},
            {QStringLiteral("members"), members},
        });
    }
    QJsonArray messages;
    for (const LoadProblem& problem : result.problems)
        messages.append(ProblemLineText(problem));

    return QJsonObject{
        {QStringLiteral("file"), file},
        {QStringLiteral("WeightKeys"), c.WeightKeys},
        {QStringLiteral("WeightFormula"), c.WeightFormula},
        {QStringLiteral("AreaKeys"), c.AreaKeys},
        {QStringLiteral("AreaFormula"), c.AreaFormula},
        {QStringLiteral("Kind1Keys"), c.Kind1Keys},
        {QStringLiteral("Kind2Keys"), c.Kind2Keys},
        {QStringLiteral("Kind3Keys"), c.Kind3Keys},
        {QStringLiteral("WeightTitle"), c.WeightTitle},
        {QStringLiteral("PaintTitle"), c.PaintTitle},
        {QStringLiteral("UnitKindCount"), c.UnitKindCount},
        {QStringLiteral("units"), units},
        {QStringLiteral("GroupCount"), c.GroupCount},
        {QStringLiteral("groups"), groups},
        {QStringLiteral("messages"), messages},
    };
}

} // namespace

int runShow(const QStringList& arguments) {
    int exitCode = ExitOk;
    const std::optional<QString> file = parseFileArgument(
        arguments, QStringLiteral("Prints the catalogue FILE as the program loads it, as one JSON object."),
        exitCode);
    if (!file)
        return exitCode;
    Catalogue catalogue;
    const std::optional<LoadResult> result = load(catalogue, *file, exitCode);
    if (!result)
        return exitCode;
    const QJsonObject json = catalogueJson(*file, catalogue, *result, result->unitLinesStored);
    printOut(QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Indented)));
    return ExitOk;
}

int runCheck(const QStringList& arguments) {
    int exitCode = ExitOk;
    const std::optional<QString> file = parseFileArgument(
        arguments,
        QStringLiteral(
            "Lists every problem that loading the catalogue FILE repairs, one per line with its line "
            "number.\nExit status: 0 none, 1 some, 3 missing or unreadable file, 4 wrong header tag."),
        exitCode);
    if (!file)
        return exitCode;
    Catalogue catalogue;
    const std::optional<LoadResult> result = load(catalogue, *file, exitCode);
    if (!result)
        return exitCode;
    for (const LoadProblem& problem : result->problems)
        printOut(ProblemLineText(problem) + u'\n');
    return result->problems.empty() ? ExitOk : ExitProblems;
}

#include "LoadCatalogue.h"

#include "FieldReader.h"
#include "TextLineReader.h"

#include <QFile>
#include <QFileInfo>

#include <array>
#include <optional>

namespace {

constexpr int kProblemsListed = 5;

struct HeaderLine {
    const char16_t* tag;
    QString Catalogue::*setting;
    bool isFormula;
};

const std::array<HeaderLine, 7> kHeaderLines = {{
    {u"W>", &Catalogue::WeightKeys, false},
    {u"W=", &Catalogue::WeightFormula, true},
    {u"A>", &Catalogue::AreaKeys, false},
    {u"A=", &Catalogue::AreaFormula, true},
    {u"1>", &Catalogue::Kind1Keys, false},
    {u"2>", &Catalogue::Kind2Keys, false},
    {u"3>", &Catalogue::Kind3Keys, false},
}};

const QString kEightSpaces = QStringLiteral("        ");
const QString kTerminator = QStringLiteral("/*");

// Removes the spaces (and only the spaces) at both ends.
QStringView trimSpaces(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin);
}

QString headerValue(const QString& line, int index) {
    const bool isFormula = kHeaderLines[index].isFormula;
    // The area formula's marker for "no formula": the line is the bare tag.
    if (index == 3 && line.size() == 2)
        return QStringLiteral("=/");
    const QString value = trimSpaces(QStringView(line).mid(2)).toString().toUpper();
    return isFormula ? u'=' + value : value;
}

class Loader {
public:
    Loader(Catalogue& catalogue, LoadResult& result, TextLineReader& lines)
        : c(catalogue), r(result), fields(lines) {
        fields.setProblemHandler([this](qint64 line, const QString& text) {
            r.problems.push_back({line, text});
        });
    }

    void run() {
        if (!readHeader())
            return;
        if (!readUnitKinds())
            return;
        readGroups();
    }

private:
    void problem(const QString& text) { r.problems.push_back({fields.lineNumber(), text}); }

    // Reads the seven tag lines. False when the file ended inside them or a tag is wrong.
    bool readHeader() {
        for (int i = 0; i < int(kHeaderLines.size()); ++i) {
            const std::optional<QString> line = fields.readWholeLine();
            if (!line) {
                // Named by the line that is missing: an empty file has no line before it.
                r.problems.push_back(
                    {i + 1, QStringLiteral("ファイルが終わっていて、見出し行がありません。")});
                c.GroupCount = 0;
                c.UnitKindCount = 0;
                return false;
            }
            c.*kHeaderLines[i].setting = headerValue(*line, i);
            const QString tag = QString::fromUtf16(kHeaderLines[i].tag);
            if (!line->startsWith(tag)) {
                r.status = LoadResult::Status::TagMismatch;
                r.message = QStringLiteral("error in Line(%1)").arg(tag);
                return false;
            }
        }
        return true;
    }

    bool readUnitKinds() {
        const std::optional<qint16> count = fields.readInteger();
        std::optional<QString> weightTitle;
        std::optional<QString> paintTitle;
        if (count)
            weightTitle = fields.readText();
        if (weightTitle)
            paintTitle = fields.readText();
        if (!paintTitle) {
            endedEarly(QStringLiteral("ファイルが単位種別の数の行の途中で終わっています。"));
            return false;
        }
        c.WeightTitle = *weightTitle;
        c.PaintTitle = *paintTitle;

        qint16 k = 0;
        for (int i = 1; i <= *count; ++i) {
            const std::optional<qint16> kind = fields.readInteger();
            std::optional<QString> weightLabel;
            std::optional<QString> paintLabel;
            if (kind)
                weightLabel = fields.readText();
            if (weightLabel)
                paintLabel = fields.readText();
            if (!paintLabel) {
                endedEarly(QStringLiteral("ファイルが単位種別の行（%1 番目）の途中で終わっています。").arg(i),
                           k);
                return false;
            }
            if (i > Catalogue::kUnitKindCapacity) {
                if (i == Catalogue::kUnitKindCapacity + 1)
                    problem(
                        QStringLiteral("単位種別は %1 までです。この行から後の単位種別の行は読み飛ばします。")
                            .arg(Catalogue::kUnitKindCapacity));
                continue;
            }
            k = std::min(*kind, Catalogue::kUnitKindCapacity);
            c.UnitWeightLabel[i] = *weightLabel;
            c.UnitPaintLabel[i] = *paintLabel;
            r.unitLinesStored = qint16(i);
        }
        c.UnitKindCount = k;
        return true;
    }

    void readGroups() {
        qint16 j = 0;
        for (;;) {
            fields.skipBlankLines();
            if (fields.atEnd())
                break;
            if (j == Catalogue::kGroupCapacity)
                break; // the rest of the file is not read
            ++j;
            const GroupEnd end = readGroup(j);
            if (end == GroupEnd::CutInHeader)
                --j;
            if (end != GroupEnd::Terminated)
                break;
        }
        c.GroupCount = j;
    }

    enum class GroupEnd { Terminated, CutInBody, CutInHeader };

    // Reads group block j. When the file ends inside it, a group whose header was read whole is
    // kept with the members read whole; one cut inside its header is left empty, not counted.
    GroupEnd readGroup(qint16 j) {
        const std::optional<QString> name = fields.readText();
        std::optional<qint16> kind;
        std::optional<qint16> shape;
        if (name)
            kind = fields.readInteger();
        if (kind)
            shape = fields.readInteger();
        if (!shape) {
            problem(QStringLiteral(
                "ファイルがグループの見出しの途中で終わっています。このグループは読み込みません。"));
            return GroupEnd::CutInHeader;
        }
        c.GroupName[j] = *name;
        c.GroupKind[j] = *kind;
        c.GroupShape[j] = *shape;
        const qint64 headerLine = fields.lineNumber();

        qint16 m = 0;
        GroupEnd end = GroupEnd::Terminated;
        for (;;) {
            fields.skipBlankLines();
            const std::optional<QStringView> field = fields.readTextView();
            if (field && *field == kTerminator) // compared before any trimming
                break;
            const std::optional<QString> designation =
                field ? std::optional<QString>(trimSpaces(*field).toString()) : std::nullopt;
            std::optional<QString> remark;
            std::optional<double> weight;
            std::optional<double> coefficient;
            if (designation)
                remark = readTrimmedText();
            if (remark)
                weight = fields.readNumber();
            if (weight)
                coefficient = fields.readNumber();
            if (!coefficient) {
                problem(
                    QStringLiteral(
                        "グループ「%1」（%2 行目から）が \"/*\" で閉じられないままファイルが終わっています。")
                        .arg(*name)
                        .arg(headerLine));
                end = GroupEnd::CutInBody;
                break;
            }
            if (m < c.MaxMembersPerGroup)
                ++m; // past the capacity every further member lands in the last slot
            c.MemberName[j][m] = *designation;
            c.MemberRemark[j][m] = *remark;
            c.MemberWeight[j][m] = *weight;
            c.MemberPaintCoef[j][m] = *coefficient;
        }
        c.GroupMemberCount[j] = m;
        for (qint16 slot = m + 1; slot <= c.MaxMembersPerGroup; ++slot)
            c.MemberName[j][slot] = kEightSpaces;
        return end;
    }

    // A text field with the spaces at both ends removed.
    std::optional<QString> readTrimmedText() {
        const std::optional<QStringView> field = fields.readTextView();
        return field ? std::optional<QString>(trimSpaces(*field).toString()) : std::nullopt;
    }

    // The file ended before the groups: no group and only the unit kinds read so far.
    void endedEarly(const QString& text, qint16 unitKinds = 0) {
        problem(text);
        c.GroupCount = 0;
        c.UnitKindCount = unitKinds;
    }

    Catalogue& c;
    LoadResult& r;
    FieldReader fields;
};

} // namespace

namespace {

LoadResult unreadableResult(Catalogue& catalogue, const QString& DataFileName, const QString& reason) {
    catalogue.resetTables();
    LoadResult result;
    result.status = LoadResult::Status::Unreadable;
    result.message = QStringLiteral("鋼材データファイル") + DataFileName +
                     QStringLiteral("を読み込めません（%1）。").arg(reason);
    return result;
}

} // namespace

LoadResult LoadCatalogue(Catalogue& catalogue, const QString& DataFileName) {
    catalogue.resetTables();
    const QFileInfo info(DataFileName);
    if (DataFileName.isEmpty() || !info.exists()) {
        LoadResult result;
        result.status = LoadResult::Status::Missing;
        result.message =
            QStringLiteral("鋼材データファイル") + DataFileName + QStringLiteral("が見つかりません。");
        return result;
    }
    QFile file(DataFileName);
    if (!file.open(QIODevice::ReadOnly))
        return unreadableResult(catalogue, DataFileName, file.errorString());
    return LoadCatalogue(catalogue, file, DataFileName);
}

LoadResult LoadCatalogue(Catalogue& catalogue, QIODevice& device, const QString& DataFileName) {
    LoadResult result;
    catalogue.resetTables();
    TextLineReader lines(device);
    Loader(catalogue, result, lines).run();
    if (lines.readFailed())
        return unreadableResult(catalogue, DataFileName, lines.errorString());
    return result;
}

QString ProblemLineText(const LoadProblem& problem) {
    return QStringLiteral("%1行目: %2").arg(problem.line).arg(problem.text);
}

QString ProblemsMessage(const QString& DataFileName, const std::vector<LoadProblem>& problems) {
    if (problems.empty())
        return QString();
    QString message = QStringLiteral("鋼材データファイル") + DataFileName +
                      QStringLiteral("に問題があります。読めたところまでを使います。\n");
    const int listed = std::min<int>(kProblemsListed, int(problems.size()));
    for (int i = 0; i < listed; ++i)
        message += u'\n' + ProblemLineText(problems[std::size_t(i)]);
    if (problems.size() > std::size_t(listed))
        message += QStringLiteral("\nほか %1 件").arg(problems.size() - std::size_t(listed));
    return message;
}

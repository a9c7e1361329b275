#include "RegenerateCoefficients.h"

#include "CatalogueLines.h"
#include "CoefficientRules.h"
#include "DataError.h"
#include "LeadingNumber.h"
#include "TextLineWriter.h"
#include "catalogue/FieldReader.h"
#include "catalogue/TextLineReader.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <limits>
#include <optional>

namespace {

using Status = RegenerationResult::Status;

const QString kTerminator = QStringLiteral("/*");
constexpr int kTagLineCount = 7;

// Unwinds a run from wherever it has to stop; run() turns it into the result.
struct RunStopped {
    Status status;
    QString message;
    qint64 line = 0;
};

// The count line's leading number, rounded half to even, as a line count that cannot overflow.
qint64 UnitKindLineCount(QStringView countLine) {
    const double n = std::nearbyint(LeadingNumber(countLine));
    if (!(n > 0))
        return 0;
    if (n >= 9.0e18)
        return std::numeric_limits<qint64>::max();
    return qint64(n);
}

class Regenerator {
public:
    Regenerator(const QString& dataFileName, const QString& outputPath, RegenerationReporter& reporter)
        : m_dataFileName(dataFileName), m_outputPath(outputPath), m_reporter(reporter) {}

    RegenerationResult run() {
        const QFileInfo input(m_dataFileName);
        if (m_dataFileName.isEmpty() || !input.exists())
            return fail(QStringLiteral("鋼材データファイル%1が見つかりません。").arg(m_dataFileName));
        QFile in(m_dataFileName);
        if (!in.open(QIODevice::ReadOnly))
            return fail(unreadableMessage(in.errorString()));
        const QFileInfo output(m_outputPath);
        if (output.exists() && output.canonicalFilePath() == input.canonicalFilePath()) {
            return fail(QStringLiteral("塗装面積係数ファイル%1は鋼材データファイルと同じファイルです。"
                                       "上書きすると元のデータが失われるため、書き込みません。")
                            .arg(m_outputPath));
        }
        // Unbuffered: the line writer buffers already, and a failed write then shows at its flush.
        QFile out(m_outputPath);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
            return fail(QStringLiteral("塗装面積係数ファイル%1を作成できません（%2）。")
                            .arg(m_outputPath, out.errorString()));
        }
        return run(in, out);
    }

    RegenerationResult run(QIODevice& in, QIODevice& out) {
        TextLineReader lines(in);
        lines.atEnd(); // settles the input's encoding, which the output takes over
        TextLineWriter writer(out, lines.encoding());
        FieldReader fields(lines);
        fields.setProblemHandler(
            [this](qint64 line, const QString& text) { m_reporter.problem(line, text); });
        // The decoder puts substitutes in place of such bytes; written out, they would silently
        // replace what the catalogue holds there.
        fields.setBadBytesHandler([this, &lines](qint64 line) {
            throw RunStopped{
                Status::DataError,
                QStringLiteral("鋼材データファイル%1の %2 行目に%3として読めないバイトがあります。"
                               "書き出すと元のバイトが失われるため、ここで止めます。")
                    .arg(m_dataFileName)
                    .arg(line)
                    .arg(lines.encoding() == TextLineReader::Encoding::Utf8
                             ? QStringLiteral("UTF-8 ")
                             : QStringLiteral("コードページ 932 ")),
                line};
        });
        Run run{lines, fields, writer, out, {}, {}};
        try {
            copyLeadingLines(run);
            regenerateGroups(run);
            if (lines.readFailed())
                throw RunStopped{Status::FileError, unreadableMessage(lines.errorString()),
                                 lines.lineNumber()};
            if (!writer.flush())
                throw writeFailed(out);
        } catch (const RunStopped& stop) {
            writer.flush();
            m_result.status = stop.status;
            m_result.message = stop.message;
            m_result.line = stop.line;
            m_reporter.stopped(m_result);
            return m_result;
        }
        m_reporter.summary(kSummaryCaption, SummaryPrompt(m_result.groups, m_result.members));
        return m_result;
    }

private:
    struct Run {
        TextLineReader& lines;
        FieldReader& fields;
        TextLineWriter& writer;
        QIODevice& out;
        QString designation;
        QString remark;
    };

    RegenerationResult fail(const QString& message) {
        m_result.status = Status::FileError;
        m_result.message = message;
        m_reporter.stopped(m_result);
        return m_result;
    }

    QString unreadableMessage(const QString& reason) const {
        return QStringLiteral("鋼材データファイル%1を読み込めません（%2）。").arg(m_dataFileName, reason);
    }

    RunStopped writeFailed(const QIODevice& out) const {
        return {Status::FileError, QStringLiteral("塗装面積係数ファイル%1に書き込めません（%2）。")
                                       .arg(m_outputPath, out.errorString())};
    }

    void write(Run& run, QStringView line) {
        if (run.writer.writeLine(line))
            return;
        if (!run.writer.unencodable())
            throw writeFailed(run.out);
        // Written with substitutes, the line would no longer say what the catalogue says there.
        const qint64 inputLine = run.lines.lineNumber();
        throw RunStopped{
            Status::DataError,
            QStringLiteral("鋼材データファイル%1の %2 行目は、書き出す文字コードで表せない文字を含むため"
                           "（読めないバイトなど）、書き出せません。")
                .arg(m_dataFileName)
                .arg(inputLine),
            inputLine};
    }

    // The input ended (or could not be read further) where `expected` should have begun.
    [[noreturn]] void endedBefore(Run& run, qint64 expectedLine, const QString& expected) const {
        if (run.lines.readFailed())
            throw RunStopped{Status::FileError, unreadableMessage(run.lines.errorString()), expectedLine};
        throw RunStopped{Status::DataError,
                         QStringLiteral("鋼材データファイル%1が %2 行目（%3）の前で終わっています。")
                             .arg(m_dataFileName)
                             .arg(expectedLine)
                             .arg(expected),
                         expectedLine};
    }

    QString copyWholeLine(Run& run, const QString& what) {
        const qint64 expectedLine = run.lines.lineNumber() + 1;
        std::optional<QString> line = run.fields.readWholeLine();
        if (!line)
            endedBefore(run, expectedLine, what);
        write(run, *line);
        return std::move(*line);
    }

    // The tag lines, the unit-kind count line and the unit-kind lines, copied as they stand.
    void copyLeadingLines(Run& run) {
        for (int i = 0; i < kTagLineCount; ++i)
            copyWholeLine(run, QStringLiteral("見出し行"));
        const qint64 count = UnitKindLineCount(copyWholeLine(run, QStringLiteral("単位種別の数の行")));
        for (qint64 i = 0; i < count; ++i)
            copyWholeLine(run, QStringLiteral("単位種別の行"));
    }

    void regenerateGroups(Run& run) {
        QString line;
        for (;;) {
            run.fields.skipBlankLines();
            if (run.fields.atEnd())
                return;
            regenerateGroup(run, line);
        }
    }

    [[noreturn]] void endedInGroup(Run& run, const QString& name, qint64 headerLine) const {
        if (run.lines.readFailed())
            throw RunStopped{Status::FileError, unreadableMessage(run.lines.errorString()),
                             run.lines.lineNumber()};
        throw RunStopped{Status::DataError,
                         QStringLiteral("鋼材データファイル%1のグループ「%2」（%3 行目から）が \"/*\" で"
                                        "閉じられないまま、%4 行目でファイルが終わっています。")
                             .arg(m_dataFileName, name)
                             .arg(headerLine)
                             .arg(run.lines.lineNumber()),
                         run.lines.lineNumber()};
    }

    void regenerateGroup(Run& run, QString& line) {
        FieldReader& fields = run.fields;
        const std::optional<QString> name = fields.readText();
        const qint64 headerLine = fields.lineNumber();
        std::optional<qint16> kind;
        std::optional<qint16> shape;
        if (name)
            kind = fields.readInteger();
        if (kind)
            shape = fields.readInteger();
        if (!shape)
            endedInGroup(run, name.value_or(QString()), headerLine);
        FormatGroupHeaderLine(line, *name, *kind, *shape);
        write(run, line);
        ++m_result.groups;

        // One record at a time, in buffers that keep their storage from member to member.
        QString& designation = run.designation;
        QString& remark = run.remark;
        for (;;) {
            fields.skipBlankLines();
            if (!fields.readText(designation))
                endedInGroup(run, *name, headerLine);
            if (designation == kTerminator) {
                write(run, kTerminator);
                return;
            }
            const qint64 memberLine = fields.lineNumber();
            std::optional<double> weight;
            std::optional<double> coefficient;
            if (fields.readText(remark))
                weight = fields.readNumber();
            if (weight)
                coefficient = fields.readNumber();
            if (!coefficient)
                endedInGroup(run, *name, headerLine);
            ++m_result.members;
            const double newCoefficient =
                computeCoefficient(*shape, designation, *weight, *coefficient, memberLine);
            FormatMemberLine(line, designation, remark, *weight, newCoefficient);
            write(run, line);
        }
    }

    static double computeCoefficient(qint16 shape, const QString& designation, double weight,
                                     double coefficient, qint64 memberLine) {
        const auto dataError = [&](const QString& text) {
            return RunStopped{
                Status::DataError,
                QStringLiteral(" DATA ERROR: 部材 <%1>（%2 行目）の").arg(designation).arg(memberLine) + text,
                memberLine};
        };
        double result = 0;
        try {
            result = PaintCoefficient(shape, designation, weight, coefficient);
        } catch (const DataError& error) {
            throw RunStopped{Status::DataError, error.message, memberLine};
        }
        if (HasCoefficientRule(shape) && weight == 0)
            throw dataError(QStringLiteral("単位重量が 0 です。塗装面積係数を計算できません。"));
        if (!std::isfinite(result))
            throw dataError(
                QStringLiteral("塗装面積係数が有限の数になりません。寸法と単位重量を確かめてください。"));
        return result;
    }

    const QString& m_dataFileName;
    const QString& m_outputPath;
    RegenerationReporter& m_reporter;
    RegenerationResult m_result;
};

} // namespace

QString SummaryPrompt(qint64 groups, qint64 members) {
    return QStringLiteral("グループ数= %1, 総部材数= %2").arg(groups).arg(members);
}

RegenerationResult RegenerateCoefficients(const QString& DataFileName, const QString& outputPath,
                                          RegenerationReporter& reporter) {
    return Regenerator(DataFileName, outputPath, reporter).run();
}

RegenerationResult RegenerateCoefficients(QIODevice& input, QIODevice& output, const QString& DataFileName,
                                          const QString& outputPath, RegenerationReporter& reporter) {
    return Regenerator(DataFileName, outputPath, reporter).run(input, output);
}

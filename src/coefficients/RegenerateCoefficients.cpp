#include "RegenerateCoefficients.h"

#include "CatalogueLines.h"
#include "CoefficientRules.h"
#include "DataError.h"
#include "LeadingNumber.h"
#include "base/Files.h"
#include "base/Text.h"
#include "base/TextLineReader.h"
#include "base/TextLineWriter.h"
#include "catalogue/CatalogueFormat.h"
#include "catalogue/CatalogueRecords.h"
#include "catalogue/FieldReader.h"
#include "catalogue/LoadCatalogue.h"

#include <cmath>
#include <limits>
#include <optional>

namespace {

using Status = RegenerationResult::Status;

// Unwinds a run from wherever it has to stop; run() turns it into the result.
struct RunStopped {
    Status status;
    std::u16string message;
    std::int64_t line = 0;
};

// The count line's leading number, rounded half to even, as a line count that cannot overflow.
std::int64_t unitKindLineCount(std::u16string_view countLine) {
    const double n = std::nearbyint(leadingNumber(countLine));
    if (!(n > 0))
        return 0;
    if (n >= 9.0e18)
        return std::numeric_limits<std::int64_t>::max();
    return std::int64_t(n);
}

std::u16string outputMessage(std::u16string_view pattern, const std::u16string& outputName,
                             const std::u16string& reason) {
    return formatText(pattern, {outputName, reason});
}

constexpr std::u16string_view kCannotCreate = u"塗装面積係数ファイル%1を作成できません（%2）。";
constexpr std::u16string_view kCannotWrite = u"塗装面積係数ファイル%1に書き込めません（%2）。";

// One pass from the input's lines to the output's; reports nothing itself.
class Regenerator {
public:
    Regenerator(ByteSource& input, ByteSink& output, const std::u16string& inputName,
                const std::u16string& outputName, RegenerationReporter& reporter)
        : m_lines(input), m_output(output), m_fields(m_lines), m_inputName(inputName),
          m_outputName(outputName), m_reporter(reporter) {}

    RegenerationResult run() {
        m_lines.atEnd(); // settles the input's encoding, which the output takes over
        TextLineWriter writer(m_output, m_lines.encoding());
        m_writer = &writer;
        m_fields.setProblemHandler(
            [this](std::int64_t line, const std::u16string& text) { m_reporter.problem(line, text); });
        // The decoder puts substitutes in place of such bytes; written out, they would silently
        // replace what the catalogue holds there.
        m_fields.setBadBytesHandler([this](std::int64_t line) {
            throw RunStopped{
                Status::DataError,
                formatText(u"鋼材データファイル%1の %2 行目に%3として読めないバイトがあります。"
                           u"書き出すと元のバイトが失われるため、ここで止めます。",
                           {m_inputName, decimalText(line),
                            m_lines.encoding() == TextLineReader::Encoding::Utf8 ? u"UTF-8 "
                                                                                 : u"コードページ 932 "}),
                line};
        });
        try {
            copyLeadingLines();
            regenerateGroups();
            if (m_lines.readFailed())
                throw RunStopped{Status::FileError, unreadableMessage(), m_lines.lineNumber()};
            if (!writer.flush())
                throw writeFailed();
        } catch (const RunStopped& stop) {
            if (!writer.flush() && stop.status == Status::DataError) {
                m_result.status = Status::FileError;
                m_result.message = writeFailed().message;
                return m_result;
            }
            m_result.status = stop.status;
            m_result.message = stop.message;
            m_result.line = stop.line;
        }
        return m_result;
    }

private:
    std::u16string unreadableMessage() const {
        return unreadableCatalogueMessage(m_inputName, m_lines.errorText());
    }

    RunStopped writeFailed() const {
        return {Status::FileError, outputMessage(kCannotWrite, m_outputName, m_output.errorText())};
    }

    void write(std::u16string_view line) {
        if (m_writer->writeLine(line))
            return;
        if (!m_writer->unencodable())
            throw writeFailed();
        // Written with substitutes, the line would no longer say what the catalogue says there.
        const std::int64_t inputLine = m_lines.lineNumber();
        throw RunStopped{
            Status::DataError,
            formatText(u"鋼材データファイル%1の %2 行目は、書き出す文字コードで表せない文字を含むため"
                       u"（読めないバイトなど）、書き出せません。",
                       {m_inputName, decimalText(inputLine)}),
            inputLine};
    }

    // The input ended (or could not be read further) where `expected` should have begun.
    [[noreturn]] void endedBefore(std::int64_t expectedLine, std::u16string_view expected) const {
        if (m_lines.readFailed())
            throw RunStopped{Status::FileError, unreadableMessage(), expectedLine};
        throw RunStopped{Status::DataError,
                         formatText(u"鋼材データファイル%1が %2 行目（%3）の前で終わっています。",
                                    {m_inputName, decimalText(expectedLine), expected}),
                         expectedLine};
    }

    std::u16string copyWholeLine(std::u16string_view what) {
        const std::int64_t expectedLine = m_lines.lineNumber() + 1;
        std::optional<std::u16string> line = m_fields.readWholeLine();
        if (!line)
            endedBefore(expectedLine, what);
        write(*line);
        return std::move(*line);
    }

    // The tag lines, the unit-kind count line and the unit-kind lines, copied as they stand.
    void copyLeadingLines() {
        for (std::size_t i = 0; i < kHeaderTags.size(); ++i)
            copyWholeLine(u"見出し行");
        const std::int64_t count = unitKindLineCount(copyWholeLine(u"単位種別の数の行"));
        for (std::int64_t i = 0; i < count; ++i)
            copyWholeLine(u"単位種別の行");
    }

    void regenerateGroups() {
        for (;;) {
            m_fields.skipBlankLines();
            if (m_fields.atEnd())
                return;
            regenerateGroup();
        }
    }

    // The input ended inside the group of m_header.
    [[noreturn]] void endedInGroup() const {
        if (m_lines.readFailed())
            throw RunStopped{Status::FileError, unreadableMessage(), m_lines.lineNumber()};
        throw RunStopped{Status::DataError,
                         formatText(u"鋼材データファイル%1のグループ「%2」（%3 行目から）が \"/*\" で"
                                    u"閉じられないまま、%4 行目でファイルが終わっています。",
                                    {m_inputName, m_header.name, decimalText(m_header.nameLine),
                                     decimalText(m_lines.lineNumber())}),
                         m_lines.lineNumber()};
    }

    void regenerateGroup() {
        if (!readGroupHeader(m_fields, m_header))
            endedInGroup();
        formatGroupHeaderLine(m_line, m_header.name, m_header.kind, m_header.shape);
        write(m_line);
        ++m_result.groups;

        MemberRead read;
        while ((read = readMemberRecord(m_fields, m_member)) == MemberRead::Member) {
            ++m_result.members;
            const double coefficient = computeCoefficient(m_header.shape, m_member);
            formatMemberLine(m_line, m_member.designation, m_member.remark, m_member.weight, coefficient);
            write(m_line);
        }
        if (read == MemberRead::FileEnded)
            endedInGroup();
        write(kTerminator);
    }

    double computeCoefficient(std::int16_t shape, const MemberRecord& member) const {
        const auto dataError = [&](std::u16string_view text) {
            return RunStopped{Status::DataError,
                              formatText(u" DATA ERROR: 部材 <%1>（%2 行目）の%3",
                                         {member.designation, decimalText(member.line), text}),
                              member.line};
        };
        double result = 0;
        try {
            result = paintCoefficient(shape, member.designation, member.weight, member.coefficient);
        } catch (const DataError& error) {
            throw RunStopped{Status::DataError, error.message, member.line};
        }
        if (hasCoefficientRule(shape) && member.weight == 0)
            throw dataError(u"単位重量が 0 です。塗装面積係数を計算できません。");
        if (!std::isfinite(result))
            throw dataError(u"塗装面積係数が有限の数になりません。寸法と単位重量を確かめてください。");
        return result;
    }

    TextLineReader m_lines;
    ByteSink& m_output;
    FieldReader m_fields;
    TextLineWriter* m_writer = nullptr;
    const std::u16string& m_inputName;
    const std::u16string& m_outputName;
    RegenerationReporter& m_reporter;
    RegenerationResult m_result;
    // One record at a time, in strings that keep their storage from member to member.
    GroupHeader m_header;
    MemberRecord m_member;
    std::u16string m_line;
};

// "グループ数= 12, 総部材数= 345": each count behind a blank in the place of a sign.
std::u16string summaryPrompt(std::int64_t groups, std::int64_t members) {
    return formatText(u"グループ数= %1, 総部材数= %2", {decimalText(groups), decimalText(members)});
}

RegenerationResult reported(RegenerationResult result, RegenerationReporter& reporter) {
    if (result.status == Status::Done)
        reporter.summary(kSummaryCaption, summaryPrompt(result.groups, result.members));
    else
        reporter.stopped(result);
    return result;
}

RegenerationResult fileError(std::u16string message, RegenerationReporter& reporter) {
    RegenerationResult result;
    result.status = Status::FileError;
    result.message = std::move(message);
    return reported(std::move(result), reporter);
}

} // namespace

RegenerationResult RegenerateCoefficients(const std::filesystem::path& DataFileName,
                                          const std::filesystem::path& outputPath,
                                          RegenerationReporter& reporter) {
    const std::u16string inputName = pathText(DataFileName);
    const std::u16string outputName = pathText(outputPath);
    if (DataFileName.empty() || pathKind(DataFileName) == PathKind::Missing)
        return fileError(missingCatalogueMessage(inputName), reporter);
    InputFile input;
    if (!input.open(DataFileName))
        return fileError(unreadableCatalogueMessage(inputName, input.errorText()), reporter);
    // The new file would replace the input at the end; refused, since the catalogue would then
    // be lost should anything in it stop the run.
    if (isSameFile(DataFileName, outputPath)) {
        return fileError(formatText(u"塗装面積係数ファイル%1は鋼材データファイルと同じファイルです。"
                                    u"上書きすると元のデータが失われるため、書き込みません。",
                                    {outputName}),
                         reporter);
    }
    ReplacingFile output;
    if (!output.open(outputPath))
        return fileError(outputMessage(kCannotCreate, outputName, output.errorText()), reporter);
    RegenerationResult result = Regenerator(input, output, inputName, outputName, reporter).run();
    // A run stopped by the data keeps what it wrote; one stopped by a file error leaves the old file.
    if (result.status != Status::FileError && !output.commit()) {
        result.status = Status::FileError;
        result.message = outputMessage(kCannotWrite, outputName, output.errorText());
    }
    return reported(std::move(result), reporter);
}

RegenerationResult RegenerateCoefficients(ByteSource& input, ByteSink& output,
                                          const std::u16string& inputName, const std::u16string& outputName,
                                          RegenerationReporter& reporter) {
    return reported(Regenerator(input, output, inputName, outputName, reporter).run(), reporter);
}

#include "LoadCatalogue.h"

#include "CatalogueFormat.h"
#include "CatalogueRecords.h"
#include "FieldReader.h"
#include "base/TextLineReader.h"

#include "base/Files.h"
#include "base/Text.h"

#include <array>
#include <optional>

namespace {

constexpr int kProblemsListed = 5;

// The setting that each header line fills, in the order of kHeaderTags.
struct HeaderLine {
    std::u16string Catalogue::*setting;
    bool isFormula;
};

const std::array<HeaderLine, kHeaderTags.size()> kHeaderLines = {{
    {&Catalogue::WeightKeys, false},
    {&Catalogue::WeightFormula, true},
    {&Catalogue::AreaKeys, false},
    {&Catalogue::AreaFormula, true},
    {&Catalogue::Kind1Keys, false},
    {&Catalogue::Kind2Keys, false},
    {&Catalogue::Kind3Keys, false},
}};

constexpr std::u16string_view kEightSpaces = u"        ";

std::u16string headerValue(std::u16string_view line, int index) {
    const std::size_t tagLength = kHeaderTags[index].size();
    if (kHeaderLines[index].setting == &Catalogue::AreaFormula && line.size() == tagLength)
        return std::u16string(kNoFormula); // the line is the bare tag
    const std::u16string value = upperCase(trimSpaces(line.substr(std::min(tagLength, line.size()))));
    return kHeaderLines[index].isFormula ? u'=' + value : value;
}

class Loader {
public:
    Loader(Catalogue& catalogue, LoadResult& result, TextLineReader& lines)
        : c(catalogue), r(result), fields(lines) {
        fields.setProblemHandler([this](std::int64_t line, const std::u16string& text) {
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
    void problem(std::u16string text) { r.problems.push_back({fields.lineNumber(), std::move(text)}); }

    // Reads the seven tag lines. False when the file ended inside them or a tag is wrong.
    bool readHeader() {
        for (int i = 0; i < int(kHeaderLines.size()); ++i) {
            const std::optional<std::u16string> line = fields.readWholeLine();
            if (!line) {
                // Named by the line that is missing: an empty file has no line before it.
                r.problems.push_back({i + 1, u"ファイルが終わっていて、見出し行がありません。"});
                c.GroupCount = 0;
                c.UnitKindCount = 0;
                return false;
            }
            c.*kHeaderLines[i].setting = headerValue(*line, i);
            const std::u16string_view tag = kHeaderTags[i];
            if (!line->starts_with(tag)) {
                r.status = LoadResult::Status::TagMismatch;
                r.message = formatText(u"error in Line(%1)", {tag});
                return false;
            }
        }
        return true;
    }

    bool readUnitKinds() {
        const std::optional<std::int16_t> count = fields.readInteger();
        std::optional<std::u16string> weightTitle;
        std::optional<std::u16string> paintTitle;
        if (count)
            weightTitle = readOwnedText();
        if (weightTitle)
            paintTitle = readOwnedText();
        if (!paintTitle) {
            endedEarly(u"ファイルが単位種別の数の行の途中で終わっています。");
            return false;
        }
        c.WeightTitle = *weightTitle;
        c.PaintTitle = *paintTitle;

        std::int16_t k = 0;
        for (int i = 1; i <= *count; ++i) {
            const std::optional<std::int16_t> kind = fields.readInteger();
            std::optional<std::u16string> weightLabel;
            std::optional<std::u16string> paintLabel;
            if (kind)
                weightLabel = readOwnedText();
            if (weightLabel)
                paintLabel = readOwnedText();
            if (!paintLabel) {
                endedEarly(formatText(u"ファイルが単位種別の行（%1 番目）の途中で終わっています。",
                                      {decimalText(i)}),
                           k);
                return false;
            }
            if (i > Catalogue::kUnitKindCapacity) {
                if (i == Catalogue::kUnitKindCapacity + 1)
                    problem(
                        formatText(u"単位種別は %1 までです。この行から後の単位種別の行は読み飛ばします。",
                                   {decimalText(Catalogue::kUnitKindCapacity)}));
                continue;
            }
            k = std::min(*kind, Catalogue::kUnitKindCapacity);
            c.UnitWeightLabel[i] = *weightLabel;
            c.UnitPaintLabel[i] = *paintLabel;
            r.unitLinesStored = std::int16_t(i);
        }
        c.UnitKindCount = k;
        return true;
    }

    void readGroups() {
        std::int16_t j = 0;
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
    GroupEnd readGroup(std::int16_t j) {
        if (!readGroupHeader(fields, m_header)) {
            problem(u"ファイルがグループの見出しの途中で終わっています。このグループは読み込みません。");
            return GroupEnd::CutInHeader;
        }
        c.GroupName[j] = m_header.name;
        c.GroupKind[j] = m_header.kind;
        c.GroupShape[j] = m_header.shape;
        return readMembers(j, fields.lineNumber());
    }

    // The members of group j, whose header ends on `headerLine`, up to its terminator.
    GroupEnd readMembers(std::int16_t j, std::int64_t headerLine) {
        std::int16_t m = 0;
        MemberRead read;
        while ((read = readMemberRecord(fields, m_member)) == MemberRead::Member) {
            if (m < c.MaxMembersPerGroup)
                ++m; // past the capacity every further member lands in the last slot
            c.MemberName[j][m] = trimSpaces(m_member.designation);
            c.MemberRemark[j][m] = trimSpaces(m_member.remark);
            c.MemberWeight[j][m] = m_member.weight;
            c.MemberPaintCoef[j][m] = m_member.coefficient;
        }
        c.GroupMemberCount[j] = m;
        for (std::int16_t slot = std::int16_t(m + 1); slot <= c.MaxMembersPerGroup; ++slot)
            c.MemberName[j][slot] = kEightSpaces;
        if (read == MemberRead::Terminator)
            return GroupEnd::Terminated;
        problem(
            formatText(u"グループ「%1」（%2 行目から）が \"/*\" で閉じられないままファイルが終わっています。",
                       {m_header.name, decimalText(headerLine)}));
        return GroupEnd::CutInBody;
    }

    // A text field copied out of the reader's line, which the next read replaces.
    std::optional<std::u16string> readOwnedText() {
        const std::optional<std::u16string_view> field = fields.readText();
        return field ? std::optional<std::u16string>(*field) : std::nullopt;
    }

    // The file ended before the groups: no group and only the unit kinds read so far.
    void endedEarly(std::u16string text, std::int16_t unitKinds = 0) {
        problem(std::move(text));
        c.GroupCount = 0;
        c.UnitKindCount = unitKinds;
    }

    Catalogue& c;
    LoadResult& r;
    FieldReader fields;
    // One record at a time, in strings that keep their storage from record to record.
    GroupHeader m_header;
    MemberRecord m_member;
};

} // namespace

namespace {

LoadResult unreadableResult(Catalogue& catalogue, const std::u16string& displayName,
                            const std::u16string& reason) {
    catalogue.resetTables();
    LoadResult result;
    result.status = LoadResult::Status::Unreadable;
    result.message = UnreadableCatalogueMessage(displayName, reason);
    return result;
}

} // namespace

std::u16string UnreadableCatalogueMessage(const std::u16string& displayName, const std::u16string& reason) {
    return formatText(u"鋼材データファイル%1を読み込めません（%2）。", {displayName, reason});
}

std::u16string MissingCatalogueMessage(const std::u16string& displayName) {
    return formatText(u"鋼材データファイル%1が見つかりません。", {displayName});
}

LoadResult LoadCatalogue(Catalogue& catalogue, const std::filesystem::path& DataFileName) {
    catalogue.resetTables();
    const std::u16string displayName = pathText(DataFileName);
    if (DataFileName.empty() || pathKind(DataFileName) == PathKind::Missing) {
        LoadResult result;
        result.status = LoadResult::Status::Missing;
        result.message = MissingCatalogueMessage(displayName);
        return result;
    }
    InputFile file;
    if (!file.open(DataFileName))
        return unreadableResult(catalogue, displayName, file.errorText());
    return LoadCatalogue(catalogue, file, displayName);
}

LoadResult LoadCatalogue(Catalogue& catalogue, ByteSource& source, const std::u16string& displayName) {
    LoadResult result;
    catalogue.resetTables();
    TextLineReader lines(source);
    Loader(catalogue, result, lines).run();
    if (lines.readFailed())
        return unreadableResult(catalogue, displayName, lines.errorText());
    return result;
}

std::u16string ProblemLineText(const LoadProblem& problem) {
    return formatText(u"%1行目: %2", {decimalText(problem.line), problem.text});
}

std::u16string ProblemsMessage(const std::u16string& displayName, const std::vector<LoadProblem>& problems) {
    if (problems.empty())
        return {};
    std::u16string message =
        formatText(u"鋼材データファイル%1に問題があります。読めたところまでを使います。\n", {displayName});
    const std::size_t listed = std::min<std::size_t>(kProblemsListed, problems.size());
    for (std::size_t i = 0; i < listed; ++i)
        message += u'\n' + ProblemLineText(problems[i]);
    if (problems.size() > listed)
        message += formatText(u"\nほか %1 件", {decimalText(std::int64_t(problems.size() - listed))});
    return message;
}

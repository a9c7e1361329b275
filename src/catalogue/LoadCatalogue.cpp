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
    Loader(Catalogue& catalogue, LoadResult& result, TextLineReader& lines, const MemberObserver& onMember)
        : m_catalogue(catalogue), m_result(result), m_fields(lines), m_onMember(onMember) {
        m_fields.setProblemHandler([this](std::int64_t line, const std::u16string& text) {
            m_result.problems.push_back({line, text});
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
    void problem(std::u16string text) {
        m_result.problems.push_back({m_fields.lineNumber(), std::move(text)});
    }

    // Reads the seven tag lines. False when the file ended inside them or a tag is wrong.
    bool readHeader() {
        for (int i = 0; i < int(kHeaderLines.size()); ++i) {
            const std::optional<std::u16string> line = m_fields.readWholeLine();
            if (!line) {
                // Named by the line that is missing: an empty file has no line before it.
                m_result.problems.push_back({i + 1, u"ファイルが終わっていて、見出し行がありません。"});
                m_catalogue.GroupCount = 0;
                m_catalogue.UnitKindCount = 0;
                return false;
            }
            m_catalogue.*kHeaderLines[i].setting = headerValue(*line, i);
            const std::u16string_view tag = kHeaderTags[i];
            if (!line->starts_with(tag)) {
                m_result.status = LoadResult::Status::TagMismatch;
                m_result.message = formatText(u"error in Line(%1)", {tag});
                return false;
            }
        }
        return true;
    }

    // The count line and each unit-kind line: a whole number, then a text for the weight column
    // and one for the paint column.
    struct NumberedTexts {
        std::int16_t number = 0;
        std::u16string weight;
        std::u16string paint;
    };

    // std::nullopt when the file ends inside the line.
    std::optional<NumberedTexts> readNumberedTexts() {
        const std::optional<std::int16_t> number = m_fields.readInteger();
        std::optional<std::u16string> weight;
        std::optional<std::u16string> paint;
        if (number)
            weight = readOwnedText();
        if (weight)
            paint = readOwnedText();
        if (!paint)
            return std::nullopt;
        return NumberedTexts{*number, std::move(*weight), std::move(*paint)};
    }

    bool readUnitKinds() {
        std::optional<NumberedTexts> countLine = readNumberedTexts();
        if (!countLine) {
            endedEarly(u"ファイルが単位種別の数の行の途中で終わっています。");
            return false;
        }
        m_catalogue.WeightTitle = std::move(countLine->weight);
        m_catalogue.PaintTitle = std::move(countLine->paint);

        std::int16_t k = 0;
        for (int i = 1; i <= countLine->number; ++i) {
            std::optional<NumberedTexts> unitLine = readNumberedTexts();
            if (!unitLine) {
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
            k = std::min(unitLine->number, Catalogue::kUnitKindCapacity);
            m_catalogue.UnitWeightLabel[i] = std::move(unitLine->weight);
            m_catalogue.UnitPaintLabel[i] = std::move(unitLine->paint);
            m_result.unitLinesStored = std::int16_t(i);
        }
        m_catalogue.UnitKindCount = k;
        return true;
    }

    void readGroups() {
        std::int16_t j = 0;
        for (;;) {
            m_fields.skipBlankLines();
            if (m_fields.atEnd())
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
        m_catalogue.GroupCount = j;
    }

    enum class GroupEnd { Terminated, CutInBody, CutInHeader };

    // Reads group block j. When the file ends inside it, a group whose header was read whole is
    // kept with the members read whole; one cut inside its header is left empty, not counted.
    GroupEnd readGroup(std::int16_t j) {
        if (!readGroupHeader(m_fields, m_header)) {
            problem(u"ファイルがグループの見出しの途中で終わっています。このグループは読み込みません。");
            return GroupEnd::CutInHeader;
        }
        m_catalogue.GroupName[j] = m_header.name;
        m_catalogue.GroupKind[j] = m_header.kind;
        m_catalogue.GroupShape[j] = m_header.shape;
        return readMembers(j, m_fields.lineNumber());
    }

    // The members of group j, whose header ends on `headerLine`, up to its terminator.
    GroupEnd readMembers(std::int16_t j, std::int64_t headerLine) {
        std::int16_t m = 0;
        MemberRead read;
        while ((read = readMemberRecord(m_fields, m_member)) == MemberRead::Member) {
            if (m_onMember)
                m_onMember(m_member);
            if (m < m_catalogue.MaxMembersPerGroup)
                ++m; // past the capacity every further member lands in the last slot
            m_catalogue.MemberName[j][m] = trimSpaces(m_member.designation);
            m_catalogue.MemberRemark[j][m] = trimSpaces(m_member.remark);
            m_catalogue.MemberWeight[j][m] = m_member.weight;
            m_catalogue.MemberPaintCoef[j][m] = m_member.coefficient;
        }
        m_catalogue.GroupMemberCount[j] = m;
        for (std::int16_t slot = std::int16_t(m + 1); slot <= m_catalogue.MaxMembersPerGroup; ++slot)
            m_catalogue.MemberName[j][slot] = kEightSpaces;
        if (read == MemberRead::Terminator)
            return GroupEnd::Terminated;
        problem(
            formatText(u"グループ「%1」（%2 行目から）が \"/*\" で閉じられないままファイルが終わっています。",
                       {m_header.name, decimalText(headerLine)}));
        return GroupEnd::CutInBody;
    }

    // A text field copied out of the reader's line, which the next read replaces.
    std::optional<std::u16string> readOwnedText() {
        const std::optional<std::u16string_view> field = m_fields.readText();
        return field ? std::optional<std::u16string>(*field) : std::nullopt;
    }

    // The file ended before the groups: no group and only the unit kinds read so far.
    void endedEarly(std::u16string text, std::int16_t unitKinds = 0) {
        problem(std::move(text));
        m_catalogue.GroupCount = 0;
        m_catalogue.UnitKindCount = unitKinds;
    }

    Catalogue& m_catalogue;
    LoadResult& m_result;
    FieldReader m_fields;
    const MemberObserver& m_onMember;
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
    result.message = unreadableCatalogueMessage(displayName, reason);
    return result;
}

} // namespace

std::u16string unreadableCatalogueMessage(const std::u16string& displayName, const std::u16string& reason) {
    return formatText(u"鋼材データファイル%1を読み込めません（%2）。", {displayName, reason});
}

std::u16string missingCatalogueMessage(const std::u16string& displayName) {
    return formatText(u"鋼材データファイル%1が見つかりません。", {displayName});
}

LoadResult LoadCatalogue(Catalogue& catalogue, const std::filesystem::path& DataFileName,
                         const MemberObserver& onMember) {
    catalogue.resetTables();
    const std::u16string displayName = pathText(DataFileName);
    if (DataFileName.empty() || pathKind(DataFileName) == PathKind::Missing) {
        LoadResult result;
        result.status = LoadResult::Status::Missing;
        result.message = missingCatalogueMessage(displayName);
        return result;
    }
    InputFile file;
    if (!file.open(DataFileName))
        return unreadableResult(catalogue, displayName, file.errorText());
    return LoadCatalogue(catalogue, file, displayName, onMember);
}

LoadResult LoadCatalogue(Catalogue& catalogue, ByteSource& source, const std::u16string& displayName,
                         const MemberObserver& onMember) {
    LoadResult result;
    catalogue.resetTables();
    TextLineReader lines(source);
    Loader(catalogue, result, lines, onMember).run();
    if (lines.readFailed())
        return unreadableResult(catalogue, displayName, lines.errorText());
    return result;
}

std::u16string problemLineText(const LoadProblem& problem) {
    return formatText(u"%1行目: %2", {decimalText(problem.line), problem.text});
}

std::u16string problemsMessage(const std::u16string& displayName, const std::vector<LoadProblem>& problems) {
    if (problems.empty())
        return {};
    std::u16string message =
        formatText(u"鋼材データファイル%1に問題があります。読めたところまでを使います。\n", {displayName});
    const std::size_t listed = std::min<std::size_t>(kProblemsListed, problems.size());
    for (std::size_t i = 0; i < listed; ++i)
        message += u'\n' + problemLineText(problems[i]);
    if (problems.size() > listed)
        message += formatText(u"\nほか %1 件", {decimalText(std::int64_t(problems.size() - listed))});
    return message;
}

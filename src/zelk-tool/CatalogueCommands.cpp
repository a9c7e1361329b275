#include "Commands.h"
#include "JsonText.h"
#include "ToolOutput.h"

#include "base/Text.h"
#include "catalogue/LoadCatalogue.h"
#include "catalogue/NumberText.h"
#include "coefficients/FixedPointText.h"
#include "coefficients/MemberFinder.h"
#include "coefficients/WeightCheck.h"
#include "link/MemberTexts.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <iterator>
#include <optional>

using nlohmann::json;

namespace {

// Loads the file; on a missing or unreadable file or a wrong header tag prints the message as the
// window words it and sets `status`.
std::optional<LoadResult> load(Catalogue& catalogue, const std::filesystem::path& file,
                               ToolExitStatus& status, const MemberObserver& onMember = {}) {
    LoadResult result = LoadCatalogue(catalogue, file, onMember);
    switch (result.status) {
    case LoadResult::Status::Loaded:
        return result;
    case LoadResult::Status::Missing:
    case LoadResult::Status::Unreadable:
        status = ToolExitStatus::FileError;
        break;
    case LoadResult::Status::TagMismatch:
        status = ToolExitStatus::TagMismatch;
        break;
    }
    printErr(result.message + u'\n');
    return std::nullopt;
}

json memberJson(const Catalogue& c, std::int16_t g, std::int16_t m) {
    return {
        {"MemberName", toUtf8(c.MemberName[g][m])}, {"MemberRemark", toUtf8(c.MemberRemark[g][m])},
        {"MemberWeight", c.MemberWeight[g][m]},     {"MemberPaintCoef", c.MemberPaintCoef[g][m]},
        {"label", toUtf8(valueLabelText(c, g, m))}, {"row", toUtf8(TableRowText(c, g, m))},
    };
}

json catalogueJson(const std::filesystem::path& file, const Catalogue& c, const LoadResult& result) {
    json units = json::array();
    for (std::int16_t k = 1; k <= result.unitLinesStored; ++k) {
        units.push_back({{"UnitWeightLabel", toUtf8(c.UnitWeightLabel[k])},
                         {"UnitPaintLabel", toUtf8(c.UnitPaintLabel[k])}});
    }
    json groups = json::array();
    for (std::int16_t g = 1; g <= c.GroupCount; ++g) {
        json members = json::array();
        for (std::int16_t m = 1; m <= c.GroupMemberCount[g]; ++m)
            members.push_back(memberJson(c, g, m));
        groups.push_back({
            {"GroupName", toUtf8(c.GroupName[g])},
            {"GroupKind", c.GroupKind[g]},
            {"GroupShape", c.GroupShape[g]},
            {"GroupMemberCount", c.GroupMemberCount[g]},
            {"members", std::move(members)},
        });
    }
    json messages = json::array();
    for (const LoadProblem& problem : result.problems)
        messages.push_back(toUtf8(problemLineText(problem)));

    return {
        {"file", toUtf8(pathText(file))},
        {"WeightKeys", toUtf8(c.WeightKeys)},
        {"WeightFormula", toUtf8(c.WeightFormula)},
        {"AreaKeys", toUtf8(c.AreaKeys)},
        {"AreaFormula", toUtf8(c.AreaFormula)},
        {"Kind1Keys", toUtf8(c.Kind1Keys)},
        {"Kind2Keys", toUtf8(c.Kind2Keys)},
        {"Kind3Keys", toUtf8(c.Kind3Keys)},
        {"WeightTitle", toUtf8(c.WeightTitle)},
        {"PaintTitle", toUtf8(c.PaintTitle)},
        {"UnitKindCount", c.UnitKindCount},
        {"units", std::move(units)},
        {"GroupCount", c.GroupCount},
        {"groups", std::move(groups)},
        {"messages", std::move(messages)},
    };
}

} // namespace

ToolExitStatus runShow(const std::filesystem::path& file) {
    ToolExitStatus status = ToolExitStatus::Ok;
    Catalogue catalogue;
    const std::optional<LoadResult> result = load(catalogue, file, status);
    if (!result)
        return status;
    printOut(jsonText(catalogueJson(file, catalogue, *result)));
    return ToolExitStatus::Ok;
}

namespace {

// One line of `check`: a problem the loader repaired, or a member whose weight disagrees with its
// designation.
struct CheckFinding {
    std::int64_t line = 0;
    const LoadProblem* problem = nullptr;
    std::optional<WeightFinding> weight;
};

// `value` to the decimals that the finding's text shows, so that the text and the numbers agree.
double asShown(double value, int decimals) {
    const std::string text = fixedPointText(value, decimals);
    double shown = 0;
    std::from_chars(text.data(), text.data() + text.size(), shown);
    return shown;
}

json findingJson(const CheckFinding& finding) {
    if (finding.problem) {
        return {{"line", finding.line}, {"kind", "repair"}, {"message", toUtf8(finding.problem->text)}};
    }
    const WeightFinding& weight = *finding.weight;
    const std::optional<double> percent = differencePercent(weight);
    return {
        {"line", finding.line},
        {"kind", "weight"},
        {"message", toUtf8(weightFindingText(weight))},
        {"designation", toUtf8(weight.designation)},
        {"family", toUtf8(weight.prefix)},
        {"weight", weight.weight},
        {"computed", asShown(weight.computed, 4)},
        {"withoutFillets", weight.banded},
        {"differencePercent", percent ? json(asShown(*percent, 2)) : json(nullptr)},
    };
}

} // namespace

ToolExitStatus runCheck(const std::filesystem::path& file, bool asJson) {
    ToolExitStatus status = ToolExitStatus::Ok;
    Catalogue catalogue;
    std::vector<CheckFinding> weights;
    const std::optional<LoadResult> result = load(catalogue, file, status, [&](const MemberRecord& member) {
        if (std::optional<WeightFinding> weight = checkMemberWeight(member.designation, member.weight))
            weights.push_back({member.line, nullptr, std::move(weight)});
    });
    if (!result)
        return status;
    // The weights among the repairs by their lines, the repairs in the loader's order; on one
    // line the repair first, which explains the weight read.
    std::vector<CheckFinding> findings;
    auto weight = weights.begin();
    for (const LoadProblem& problem : result->problems) {
        for (; weight != weights.end() && weight->line < problem.line; ++weight)
            findings.push_back(std::move(*weight));
        findings.push_back({problem.line, &problem, std::nullopt});
    }
    std::move(weight, weights.end(), std::back_inserter(findings));
    if (asJson) {
        json list = json::array();
        for (const CheckFinding& finding : findings)
            list.push_back(findingJson(finding));
        printOut(jsonText(list));
    } else {
        for (const CheckFinding& finding : findings) {
            const std::u16string text =
                finding.problem ? problemLineText(*finding.problem)
                                : problemLineText({finding.line, weightFindingText(*finding.weight)});
            printOut(text + u'\n');
        }
    }
    return findings.empty() ? ToolExitStatus::Ok : ToolExitStatus::Problems;
}

ToolExitStatus runFind(const std::filesystem::path& file, std::u16string_view text, bool asJson) {
    ToolExitStatus status = ToolExitStatus::Ok;
    Catalogue catalogue;
    if (!load(catalogue, file, status))
        return status;
    const std::vector<FoundMember> found = MemberFinder(catalogue).find(text, std::size_t(-1));
    if (asJson) {
        json list = json::array();
        for (const FoundMember& member : found) {
            list.push_back({
                {"designation", toUtf8(member.values.designation)},
                {"group", toUtf8(member.groupName)},
                {"remark", toUtf8(member.values.remark)},
                {"computed", member.computed},
                {"kind", member.values.kind},
                {"weight", member.values.weight},
                {"coefficient", member.values.coefficient},
            });
        }
        printOut(jsonText(list));
    } else {
        // The two figures as the value label shows them, each with its unit.
        for (const FoundMember& member : found) {
            const MemberValues& values = member.values;
            const auto figure = [](double value) { return std::u16string(trimSpaces(NumberText(value))); };
            printOut(values.designation + u'\t' + member.groupName + u'\t' + figure(values.weight) +
                     catalogue.weightLabelOf(values.kind) + u'\t' + figure(values.coefficient) +
                     catalogue.paintLabelOf(values.kind) + u'\n');
        }
    }
    return found.empty() ? ToolExitStatus::Problems : ToolExitStatus::Ok;
}

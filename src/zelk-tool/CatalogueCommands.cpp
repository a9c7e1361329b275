#include "Commands.h"
#include "JsonText.h"
#include "ToolOutput.h"

#include "base/Text.h"
#include "catalogue/LoadCatalogue.h"
#include "link/MemberTexts.h"

#include <nlohmann/json.hpp>

#include <optional>

using nlohmann::json;

namespace {

// Loads the file; on a missing or unreadable file or a wrong header tag prints the message as the
// window words it and sets `status`.
std::optional<LoadResult> load(Catalogue& catalogue, const std::filesystem::path& file,
                               ToolExitStatus& status) {
    LoadResult result = LoadCatalogue(catalogue, file);
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

ToolExitStatus runCheck(const std::filesystem::path& file) {
    ToolExitStatus status = ToolExitStatus::Ok;
    Catalogue catalogue;
    const std::optional<LoadResult> result = load(catalogue, file, status);
    if (!result)
        return status;
    for (const LoadProblem& problem : result->problems)
        printOut(problemLineText(problem) + u'\n');
    return result->problems.empty() ? ToolExitStatus::Ok : ToolExitStatus::Problems;
}

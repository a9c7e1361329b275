#include "WeightCheck.h"

#include "FixedPointText.h"
#include "SectionFamilies.h"
#include "SizeDesignation.h"
#include "base/Text.h"

#include <cmath>
#include <string>

namespace {

// Half a unit of the fourth decimal, the last one that the generator writes: a weight computed
// exactly agrees with a weight read that differs from it by no more.
constexpr double kExactTolerance = 0.5e-4;

// A weight as the user typed it or would: up to four decimals, none that is a trailing zero.
std::u16string weightText(double value) {
    return fromUtf8(shortFixedPointText(value, 4));
}

// "+1.25", "-0.4", "0.00": a percentage with its sign.
std::u16string signedText(double value, int decimals) {
    const std::string text = fixedPointText(value, decimals);
    return fromUtf8(value > 0 && text.find_first_not_of("0.") != std::string::npos ? "+" + text : text);
}

} // namespace

std::optional<WeightFinding> checkMemberWeight(std::u16string_view designation, double weight) {
    const std::u16string_view trimmed = trimSpaces(designation);
    const std::optional<std::u16string_view> prefix = sizePrefix(trimmed);
    const SectionFamily* family = prefix ? familyOf(*prefix, dimensionsGiven(trimmed)) : nullptr;
    if (!family)
        return std::nullopt;
    const std::optional<Dimensions> dimensions = dimensionsIfWellFormed(trimmed, family->dimensions);
    if (!dimensions)
        return std::nullopt;
    const double computed = family->weightOf(dimensions->value);
    if (!std::isfinite(computed))
        return std::nullopt;
    WeightFinding finding{std::u16string(trimmed), family->prefix,      family->name, family->banded,
                          family->lowPercent,      family->highPercent, weight,       computed};
    if (!family->banded) {
        if (std::fabs(weight - computed) <= kExactTolerance)
            return std::nullopt;
        return finding;
    }
    const std::optional<double> percent = differencePercent(finding);
    if (percent && *percent >= family->lowPercent && *percent <= family->highPercent)
        return std::nullopt;
    return finding;
}

std::optional<double> differencePercent(const WeightFinding& finding) {
    const double percent = (finding.weight - finding.computed) / finding.computed * 100;
    if (!(finding.computed > 0) || !std::isfinite(percent))
        return std::nullopt;
    return percent;
}

std::u16string weightFindingText(const WeightFinding& finding) {
    std::u16string text =
        formatText(u"%1（%2）の単位重量 %3 は、寸法から求めた%4 %5 と",
                   {finding.designation, finding.family, weightText(finding.weight),
                    finding.banded ? u"フィレットなしの重量" : u"重量", weightText(finding.computed)});
    const std::optional<double> percent = differencePercent(finding);
    if (!percent)
        return text + u"合いません。";
    text += formatText(u" %1 % 違います", {signedText(*percent, 2)});
    if (finding.banded) {
        text +=
            formatText(u"（%1は %2 % から %3 % まで）", {finding.family, signedText(finding.lowPercent, 1),
                                                         signedText(finding.highPercent, 1)});
    }
    return text + u"。";
}

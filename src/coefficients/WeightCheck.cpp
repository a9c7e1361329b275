#include "WeightCheck.h"

#include "FixedPointText.h"
#include "SizeDesignation.h"
#include "base/PowersOfTen.h"
#include "base/Text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>
#include <numbers>
#include <string>

namespace {

using Dims = std::array<double, 4>;

// kg/m of steel (7.85 g/cm3) for each mm2 of section, and for each cm2 as the tables take it.
constexpr double kKgPerMetrePerMm2 = 0.00785;
constexpr double kKgPerMetrePerCm2 = 0.785;
// Half a unit of the fourth decimal, the last one that the generator writes: a weight computed
// exactly agrees with a weight read that differs from it by no more.
constexpr double kExactTolerance = 0.5e-4;

double readBack(const std::string& text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// `value` to `digits` significant figures, halves away from zero, decided on its decimal text as
// the standards' tables round (so that 0.8825 becomes 0.883 although its double lies below).
double significant(double value, int digits) {
    if (!std::isfinite(value) || value == 0)
        return value;
    const int decimals = digits - 1 - int(std::floor(std::log10(std::fabs(value))));
    if (decimals > kMaxFixedDecimals || -decimals >= int(std::size(kExactPowersOfTen)))
        return value;
    if (decimals >= 0)
        return readBack(fixedPointText(value, decimals));
    const double scale = kExactPowersOfTen[-decimals];
    return readBack(fixedPointText(value / scale, 0)) * scale;
}

// The weight of a section of `area` mm2 the way the tables of rolled and cold-formed sections give
// it: the area in cm2 to four significant figures, times 0.785, to three.
double tabulatedWeight(double area) {
    return significant(kKgPerMetrePerCm2 * significant(area / 100, 4), 3);
}

// H x B x t1 x t2 without fillets. For I-sections and channels the area is written
// t1 H + 2 t2 (B - t1), which is the same.
double webAndFlanges(const Dims& d) {
    return d[2] * (d[0] - 2 * d[3]) + 2 * d[1] * d[3];
}

// The nominal diameters of the deformed bars D10 to D51 (JIS G 3112).
struct NominalDiameter {
    double number;
    double diameter;
};
constexpr NominalDiameter kDeformedBars[] = {
    {10, 9.53}, {13, 12.7}, {16, 15.9}, {19, 19.1}, {22, 22.2}, {25, 25.4},
    {29, 28.6}, {32, 31.8}, {35, 34.9}, {38, 38.1}, {41, 41.3}, {51, 50.8},
};

double deformedBar(const Dims& d) {
    for (const NominalDiameter& bar : kDeformedBars) {
        if (bar.number == d[0])
            return tabulatedWeight(0.7854 * bar.diameter * bar.diameter);
    }
    return std::numeric_limits<double>::quiet_NaN(); // no bar of that number: not checked
}

struct Family {
    std::u16string_view prefix;
    std::u16string_view name;
    int dimensions;
    double (*weightOf)(const Dims&);
    // Banded: the weight read may deviate from the computed W0 by low to high percent. Otherwise
    // it must equal the computed weight.
    bool banded = false;
    double lowPercent = 0;
    double highPercent = 0;
};

// Each band is the least and the greatest deviation found in the bundled catalogue, widened by half
// a percentage point (what rounding a weight to three figures can move it by) and rounded outwards
// to a tenth. data/README.md lists them with the figures they come from.
const Family kFamilies[] = {
    {u"H-", u"H形鋼", 4, [](const Dims& d) { return kKgPerMetrePerMm2 * webAndFlanges(d); }, true, 0.1, 5.4},
    {u"LH-", u"溶接軽量H形鋼", 4, [](const Dims& d) { return tabulatedWeight(webAndFlanges(d)); }},
    {u"I-", u"I形鋼", 4, [](const Dims& d) { return kKgPerMetrePerMm2 * webAndFlanges(d); }, true, 0.4, 3.5},
    {u"[-", u"溝形鋼", 4, [](const Dims& d) { return kKgPerMetrePerMm2 * webAndFlanges(d); }, true, 0.2, 2.5},
    {u"CT-", u"CT形鋼", 4,
     [](const Dims& d) { return kKgPerMetrePerMm2 * (d[2] * (d[0] - d[3]) + d[1] * d[3]); }, true, -0.1, 5.4},
    {u"L-", u"山形鋼", 3, [](const Dims& d) { return kKgPerMetrePerMm2 * d[2] * (d[0] + d[1] - d[2]); }, true,
     -0.9, 2.5},
    // Four bends of inner radius t: each leaves out (4 - pi) t2 / 4 of a square corner of side 2t
    // against one of side t.
    {u"C-", u"リップ溝形鋼", 4,
     [](const Dims& d) {
         const double t = d[3];
         return tabulatedWeight(t * (d[0] + 2 * d[1] + 2 * d[2] - 4 * t) -
                                3 * (4 - std::numbers::pi) * t * t);
     }},
    {u"P-", u"鋼管", 2, [](const Dims& d) { return significant(0.02466 * d[1] * (d[0] - d[1]), 3); }},
    {u"□-", u"角形鋼管", 3,
     [](const Dims& d) { return significant(0.0157 * d[2] * (d[0] + d[1] - 3.287 * d[2]), 3); }},
    {u"FB-", u"平鋼", 2, [](const Dims& d) { return significant(kKgPerMetrePerMm2 * d[0] * d[1], 3); }},
    {u"φ", u"丸鋼", 1,
     [](const Dims& d) { return significant(kKgPerMetrePerMm2 * std::numbers::pi * d[0] * d[0] / 4, 3); }},
    {u"SQ-", u"角鋼", 1, [](const Dims& d) { return significant(kKgPerMetrePerMm2 * d[0] * d[0], 3); }},
    {u"PL-", u"鋼板", 1, [](const Dims& d) { return 7.85 * d[0]; }},
    {u"D", u"異形棒鋼", 1, deformedBar},
};

const Family* familyOf(std::u16string_view prefix) {
    for (const Family& family : kFamilies) {
        if (family.prefix == prefix)
            return &family;
    }
    return nullptr;
}

// A weight as the user typed it or would: up to four decimals, none that is a trailing zero.
std::u16string weightText(double value) {
    std::string text = fixedPointText(value, 4);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.')
        text.pop_back();
    return fromUtf8(text);
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
    const Family* family = prefix ? familyOf(*prefix) : nullptr;
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

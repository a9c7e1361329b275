#include "SectionFamilies.h"

#include "CoefficientRules.h"
#include "DataError.h"
#include "FixedPointText.h"
#include "SizeDesignation.h"
#include "base/PowersOfTen.h"

#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>
#include <numbers>
#include <string>

namespace {

using Dims = SectionDimensions;

// kg/m of steel (7.85 g/cm3) for each mm2 of section, and for each cm2 as the tables take it.
constexpr double kKgPerMetrePerMm2 = 0.00785;
constexpr double kKgPerMetrePerCm2 = 0.785;
// What a cold-formed bend of inner radius t leaves out of a square corner, per t2: a quarter ring
// of radii t and 2t against the square of side 2t less that of side t.
constexpr double kBendShortfall = 0.75 * (4 - std::numbers::pi);

double readBack(const std::string& text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// The weight of a section of `area` mm2 the way the tables of rolled, welded and cold-formed
// sections give it: the area in cm2 to four significant figures, times 0.785, to three.
double tabulatedWeight(double area) {
    return significantFigures(kKgPerMetrePerCm2 * significantFigures(area / 100, 4), 3);
}

// H x B x t1 x t2 without fillets. For I-sections and channels the area is written
// t1 H + 2 t2 (B - t1), which is the same.
double webAndFlanges(const Dims& d) {
    return d[2] * (d[0] - 2 * d[3]) + 2 * d[1] * d[3];
}

double rolledH(const Dims& d) {
    return kKgPerMetrePerMm2 * webAndFlanges(d);
}
double weldedH(const Dims& d) {
    return tabulatedWeight(webAndFlanges(d));
}
double cutTee(const Dims& d) {
    return kKgPerMetrePerMm2 * (d[2] * (d[0] - d[3]) + d[1] * d[3]);
}
double angle(const Dims& d) {
    return kKgPerMetrePerMm2 * d[2] * (d[0] + d[1] - d[2]);
}
// JIS G 3350: H x A x C x t with four bends, the lipped channel and the lipped Z alike; H x A x t
// with two, the light channel.
double lippedSection(const Dims& d) {
    const double t = d[3];
    return tabulatedWeight(t * (d[0] + 2 * d[1] + 2 * d[2] - 4 * t) - 4 * kBendShortfall * t * t);
}
double lightChannel(const Dims& d) {
    const double t = d[2];
    return tabulatedWeight(t * (d[0] + 2 * d[1] - 2 * t) - 2 * kBendShortfall * t * t);
}
// The standards' own formulas for tubes (JIS G 3444, G 3466).
double tube(const Dims& d) {
    return significantFigures(0.02466 * d[1] * (d[0] - d[1]), 3);
}
double boxTube(const Dims& d) {
    return significantFigures(0.0157 * d[2] * (d[0] + d[1] - 3.287 * d[2]), 3);
}
double flatBar(const Dims& d) {
    return significantFigures(kKgPerMetrePerMm2 * d[0] * d[1], 3);
}
double roundBar(const Dims& d) {
    return significantFigures(kKgPerMetrePerMm2 * std::numbers::pi * d[0] * d[0] / 4, 3);
}
double squareBar(const Dims& d) {
    return significantFigures(kKgPerMetrePerMm2 * d[0] * d[0], 3);
}
// Plates are exact: kg/m2 by thickness, kg/m cut to a width.
double plate(const Dims& d) {
    return 7.85 * d[0];
}
double plateByWidth(const Dims& d) {
    return kKgPerMetrePerMm2 * d[0] * d[1];
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
    return std::numeric_limits<double>::quiet_NaN(); // no bar of that number
}

// What the dimensions can make. NaN fails every comparison, so it is never possible.
template <int N> bool positive(const Dims& d) {
    for (int i = 0; i < N; ++i) {
        if (!(d[std::size_t(i)] > 0))
            return false;
    }
    return true;
}
// Flanges thinner than half the depth, a web thinner than the flanges are wide.
bool weldedHPossible(const Dims& d) {
    return positive<4>(d) && 2 * d[3] < d[0] && d[2] < d[1];
}
// Bends of inner radius t fit: two in the depth and in each flange, one in each lip.
bool lippedPossible(const Dims& d) {
    const double t = d[3];
    return positive<4>(d) && d[0] >= 4 * t && d[1] >= 4 * t && d[2] >= 2 * t;
}
bool lightChannelPossible(const Dims& d) {
    const double t = d[2];
    return positive<3>(d) && d[0] >= 4 * t && d[1] >= 2 * t;
}
bool tubePossible(const Dims& d) {
    return positive<2>(d) && 2 * d[1] < d[0];
}
// The corners of outer radius 2t that the standard's formula takes fit in both sides.
bool boxTubePossible(const Dims& d) {
    return positive<3>(d) && d[0] >= 4 * d[2] && d[1] >= 4 * d[2];
}

// Each band is the least and the greatest deviation found in the bundled catalogue, widened by half
// a percentage point (what rounding a weight to three figures can move it by) and rounded outwards
// to a tenth. data/README.md lists them with the figures they come from.
// clang-format off
const SectionFamily kFamilies[] = {
    // prefix, also written, name, dimensions, weight, banded, low %, high %, shape, kind, possible
    {u"H-",  u"",  u"H形鋼",         4, rolledH,       true,  0.1, 5.4, 2},
    {u"BH-", u"",  u"溶接組立H形鋼", 4, weldedH,       false, 0,   0,   2, 1, weldedHPossible},
    {u"LH-", u"",  u"溶接軽量H形鋼", 4, weldedH,       false, 0,   0,   2, 1, weldedHPossible},
    {u"I-",  u"",  u"I形鋼",         4, rolledH,       true,  0.4, 3.5, 2},
    {u"[-",  u"",  u"溝形鋼",        4, rolledH,       true,  0.2, 2.5, 2},
    {u"[-",  u"",  u"軽溝形鋼",      3, lightChannel,  false, 0,   0,   2, 1, lightChannelPossible},
    {u"CT-", u"",  u"CT形鋼",        4, cutTee,        true, -0.1, 5.4, 3},
    {u"L-",  u"",  u"山形鋼",        3, angle,         true, -0.9, 2.5, 3},
    {u"C-",  u"",  u"リップ溝形鋼",  4, lippedSection, false, 0,   0,   1, 1, lippedPossible},
    {u"Z-",  u"",  u"リップZ形鋼",   4, lippedSection, false, 0,   0,   1, 1, lippedPossible},
    {u"P-",  u"φ", u"鋼管",          2, tube,          false, 0,   0,   4, 1, tubePossible},
    {u"□-",  u"",  u"角形鋼管",      3, boxTube,       false, 0,   0,   3, 1, boxTubePossible},
    {u"FB-", u"",  u"平鋼",          2, flatBar,       false, 0,   0,   3, 1, positive<2>},
    {u"φ",   u"",  u"丸鋼",          1, roundBar,      false, 0,   0,   4, 1, positive<1>},
    {u"SQ-", u"",  u"角鋼",          1, squareBar,     false, 0,   0,   kSquareBarShape, 1, positive<1>},
    {u"PL-", u"",  u"鋼板",          1, plate,         false, 0,   0,   5, 2, positive<1>},
    {u"PL-", u"",  u"切板",          2, plateByWidth,  false, 0,   0,   3, 1, positive<2>},
    {u"D",   u"",  u"異形棒鋼",      1, deformedBar},
};
// clang-format on

bool isSizeCharacter(char16_t c) {
    return c == u'.' || (c >= u'0' && c <= u'9');
}

// The figure to `decimals` decimals as the catalogue file writes it.
double asWritten(double value, int decimals) {
    return readBack(fixedPointText(value, decimals));
}

} // namespace

std::span<const SectionFamily> sectionFamilies() {
    return kFamilies;
}

const SectionFamily* familyOf(std::u16string_view prefix, int dimensionsGiven) {
    const SectionFamily* found = nullptr;
    for (const SectionFamily& family : kFamilies) {
        const bool named =
            family.prefix == prefix || (!family.alsoWritten.empty() && family.alsoWritten == prefix);
        if (named && family.dimensions <= dimensionsGiven &&
            (!found || family.dimensions > found->dimensions))
            found = &family;
    }
    return found;
}

int dimensionsGiven(std::u16string_view designation) {
    std::size_t start = 0;
    while (start < designation.size() && !isSizeCharacter(designation[start]))
        ++start;
    if (start == designation.size())
        return 0;
    int count = 1;
    for (std::size_t i = start; i < designation.size(); ++i)
        count += designation[i] == u'x' ? 1 : 0;
    return count;
}

double significantFigures(double value, int digits) {
    if (!std::isfinite(value) || value == 0)
        return value;
    const int decimals = digits - 1 - int(std::floor(std::log10(std::fabs(value))));
    if (decimals > kMaxFixedDecimals || -decimals >= int(std::size(kExactPowersOfTen)))
        return value;
    if (decimals >= 0)
        return asWritten(value, decimals);
    const double scale = kExactPowersOfTen[-decimals];
    return asWritten(value / scale, 0) * scale;
}

std::optional<ComputedSection> computeSection(const SectionFamily& family, std::u16string_view designation,
                                              const SectionDimensions& dimensions) {
    if (!family.possible || !family.possible(dimensions))
        return std::nullopt;
    const double weight = family.weightOf(dimensions);
    if (!std::isfinite(weight))
        return std::nullopt;
    ComputedSection section;
    section.weight = asWritten(weight, 4);
    if (!(section.weight > 0))
        return std::nullopt;
    double coefficient = 0;
    if (hasCoefficientRule(family.shape)) {
        try {
            coefficient = paintCoefficient(family.shape, designation, section.weight, 0);
        } catch (const DataError&) {
            return std::nullopt;
        }
    } else if (family.shape == kSquareBarShape) {
        coefficient = (4 * dimensions[0] / 1000) / (section.weight / 1000);
    }
    if (!std::isfinite(coefficient) || coefficient < 0)
        return std::nullopt;
    section.coefficient = asWritten(coefficient, 2);
    return section;
}

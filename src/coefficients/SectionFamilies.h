#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The families of sections that a designation's prefix names, one row each: what `zelk-tool
// check` holds a member's unit weight against, and what the finder computes a member from when
// the catalogue lacks it. The table "Designations" of data/README.md lists the same rows with
// their formulas, rounding, coefficient rules and tolerances.
//
// A prefix names one family, but for the light channel ("[-" with three dimensions; four are the
// rolled channel) and the plate cut to a width ("PL-" with two; one is the plate by thickness):
// of the rows of a prefix, the one with the most dimensions that the designation gives is its
// family.

using SectionDimensions = std::array<double, 4>; // D1 to D4, unused ones 0

struct SectionFamily {
    std::u16string_view prefix; // as the catalogue writes it: "H-", "[-", "φ"
    // Another prefix that drawings write for the same family ("φ48.6x2.3" for the tube
    // P-48.6x2.3), or empty.
    std::u16string_view alsoWritten;
    std::u16string_view name; // as the catalogue's groups call the family
    int dimensions;
    // The unit weight, kg/m (kg/m2 for plates by thickness), rounded as the family's standard
    // rounds it; for a banded family W0, the weight without the fillets. NaN: no weight.
    double (*weightOf)(const SectionDimensions&);
    // Banded: the rolled sections, whose fillets and toe radii no designation names; a member's
    // weight may deviate from W0 by lowPercent to highPercent. Otherwise it must equal weightOf.
    bool banded = false;
    double lowPercent = 0;
    double highPercent = 0;
    // The shape code of the family's group, which chooses the coefficient rule: the generator's
    // rules 1 to 5, kSquareBarShape, or 0 (not painted).
    std::int16_t shape = 0;
    // The unit kind of the family's group in the bundled catalogue: 1 per metre, 2 per square
    // metre (plates by thickness).
    std::int16_t kind = 1;
    // Whether dimensions can make the section. Null for the families that are never computed:
    // the rolled sections, and the deformed bars, whose standard lists every size there is.
    bool (*possible)(const SectionDimensions&) = nullptr;
};

// The square bar's group: the generator leaves its coefficients alone, and the catalogue's build
// writes the outline 4a over the weight.
inline constexpr std::int16_t kSquareBarShape = 6;

// Every row, in the order data/README.md lists them.
std::span<const SectionFamily> sectionFamilies();

// The family of a designation whose prefix (all before its first size character) is `prefix`
// and that gives `dimensionsGiven` dimensions; nullptr when none has that prefix or the
// designation gives too few dimensions.
const SectionFamily* familyOf(std::u16string_view prefix, int dimensionsGiven);

// How many dimensions a designation gives: one more than the separators "x" after its prefix;
// 0 when it has no size character.
int dimensionsGiven(std::u16string_view designation);

// `value` to `digits` significant figures, halves away from zero, decided on its decimal text as
// the standards' tables round (0.8825 becomes 0.883 although its double lies below).
double significantFigures(double value, int digits);

// A member computed from its dimensions: the unit weight to the four decimals that the catalogue
// holds, the coefficient by the family's rule to the two that the generator writes.
struct ComputedSection {
    double weight = 0;
    double coefficient = 0;
};

// The member of `family` that `designation` (the family's prefix, then `dimensions` joined by
// "x") names; std::nullopt when the family is never computed, when the dimensions cannot make the
// section, or when a figure comes out as no finite positive number.
std::optional<ComputedSection> computeSection(const SectionFamily& family, std::u16string_view designation,
                                              const SectionDimensions& dimensions);

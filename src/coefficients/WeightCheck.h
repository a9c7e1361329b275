#pragma once

#include <optional>
#include <string>
#include <string_view>

// A member's unit weight held against the weight that its designation's dimensions give, so that a
// digit typed wrong (17.2 as 71.2 or 1.72) or a transposed dimension shows before it reaches an
// estimate. The family is told by the designation's prefix (all before its first digit) and the
// number of its dimensions; the formulas and tolerances are those of the families' table
// (SectionFamilies.h), which data/README.md lists under "Designations".
//
// Families whose standard gives the weight from the designation's dimensions alone are computed as
// the standard rounds, and the weight read must agree to the four decimals that the generator
// writes. The rolled sections carry fillets and toe radii that no designation names: for them the
// weight without those, W0, is computed, and the weight read must lie in the family's band of
// percentages around it.

struct WeightFinding {
    std::u16string designation; // without the spaces around it
    std::u16string_view prefix; // the family's
    std::u16string_view family; // its name, as the catalogue's groups call it
    // True: `computed` is W0, the weight without fillets, and the weight may deviate from it by
    // lowPercent to highPercent. False: the weight must equal `computed`.
    bool banded = false;
    double lowPercent = 0;
    double highPercent = 0;
    double weight = 0;   // as read
    double computed = 0; // from the designation
};

// The finding for a member whose weight disagrees with its designation; std::nullopt when it
// agrees, when the prefix names no known family or when the designation cannot be taken apart
// (such a designation is not checked).
std::optional<WeightFinding> checkMemberWeight(std::u16string_view designation, double weight);

// (weight - computed) / computed in percent; std::nullopt when the computed weight is not a
// positive number.
std::optional<double> differencePercent(const WeightFinding& finding);

// The finding as `zelk-tool check` lists it after the line number: the designation and its family,
// the weight read, the weight computed and the difference.
std::u16string weightFindingText(const WeightFinding& finding);

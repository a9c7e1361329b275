// Designation parsing: whatever the text, SplitDimensions gives numbers, none of them NaN and
// zeros past the count asked for, or one of its two data errors; leadingNumber never gives NaN;
// the weight check takes any designation and words what it finds.
// (The values themselves are the unit tests', against tables and against strtod.)
#include "FuzzSupport.h"
#include "coefficients/DataError.h"
#include "coefficients/LeadingNumber.h"
#include "coefficients/SizeDesignation.h"
#include "coefficients/WeightCheck.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const int count = data[0] % 5;
    const std::u16string text = fuzzText(data + 1, size - 1, (data[0] & 0x80) != 0);
    check(!std::isnan(leadingNumber(text)));
    try {
        const Dimensions d = SplitDimensions(text, count);
        for (int j = 0; j < 4; ++j)
            check(!std::isnan(d.value[std::size_t(j)]) && (j < count || d.value[std::size_t(j)] == 0.0));
    } catch (const DataError& error) {
        check(error.message == kMissingSizeMessage ||
              (count >= 2 && error.message == kMissingSeparatorMessage));
    }
    if (const std::optional<WeightFinding> finding = checkMemberWeight(text, 1.0))
        check(!weightFindingText(*finding).empty() && std::isfinite(finding->computed));
    return 0;
}

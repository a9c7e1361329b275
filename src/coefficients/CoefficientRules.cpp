#include "CoefficientRules.h"

#include "SizeDesignation.h"

bool hasCoefficientRule(std::int16_t shape) {
    return shape >= 1 && shape <= 5;
}

double paintCoefficient(std::int16_t shape, std::u16string_view designation, double weight,
                        double coefficientAsRead) {
    // Each rule is evaluated term by term from left to right, as the catalogue's figures were.
    switch (shape) {
    case 1: {
        const auto d = SplitDimensions(designation, 4).value;
        const double outline = 2 * d[0] + 4 * d[1] + 4 * d[2] - 6 * d[3];
        return (outline / 1000) / (weight / 1000);
    }
    case 2: {
        const auto d = SplitDimensions(designation, 3).value;
        const double outline = 2 * d[0] + 4 * d[1] - 2 * d[2];
        return (outline / 1000) / (weight / 1000);
    }
    case 3: {
        const auto d = SplitDimensions(designation, 2).value;
        const double outline = 2 * (d[0] + d[1]);
        return (outline / 1000) / (weight / 1000);
    }
    case 4: {
        const double d1 = SplitDimensions(designation, 1).value[0];
        return ((d1 / 1000) * kRulePi) / (weight / 1000);
    }
    case 5:
        SplitDimensions(designation, 0);
        return 2 / (weight / 1000);
    default:
        return coefficientAsRead;
    }
}

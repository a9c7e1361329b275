// The "#0.0000" and "#0.00" formats of the generator's output (fixed-point.tsv), and the rounding
// against whole-number reckoning on decimal texts of up to 15 digits.
#include "coefficients/FixedPointText.h"
#include "support/TestFiles.h"

#include <cstdlib>

TEST(FixedPointText, formatsEachCase) {
    for (const auto& row : readTable("tests/coefficients/fixed-point.tsv")) {
        SCOPED_TRACE(row[0]);
        EXPECT_EQ(fixedPointText(std::strtod(row[0].c_str(), nullptr), std::stoi(row[1])), row[2]);
    }
}

// A decimal text of at most 15 significant digits is what the value reads as, so rounding it
// half away from zero is whole-number work on its digits: keep `decimals`, add one when the
// first digit dropped is 5 or more. Ties, the hard part, come every tenth value.
TEST(FixedPointText, roundsAsTheDecimalTextReads) {
    std::mt19937_64 random(2675);
    for (int i = 0; i < 300000; ++i) {
        const int decimals = i % 2 ? 4 : 2;
        const int dropped = 1 + int(random() % 3);
        const std::uint64_t whole = i % 7 ? random() % 100000000ULL : 0; // 15 digits at most in all
        std::string digits;
        for (int d = 0; d < decimals + dropped; ++d) {
            const bool tie = i % 10 == 0 && d >= decimals;
            digits += char('0' + (tie ? (d == decimals ? 5 : 0) : int(random() % 10)));
        }
        const std::string text = (i % 3 ? "" : "-") + std::to_string(whole) + "." + digits;

        std::uint64_t units = std::stoull(std::to_string(whole) + digits.substr(0, std::size_t(decimals)));
        units += digits[std::size_t(decimals)] >= '5' ? 1 : 0;
        std::string expected = std::to_string(units);
        expected.insert(0, std::size_t(std::max(0, decimals + 1 - int(expected.size()))), '0');
        expected.insert(expected.size() - std::size_t(decimals), ".");
        if (text[0] == '-' && units != 0)
            expected = "-" + expected;
        ASSERT_EQ(fixedPointText(std::strtod(text.c_str(), nullptr), decimals), expected) << text;
    }
}

// The text of every value shown or sent (number-text.tsv), and against printf's "%.15g".
#include "catalogue/NumberText.h"
#include "support/TestFiles.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

TEST(NumberText, writesEachCase) {
    for (const auto& row : readTable("tests/catalogue/number-text.tsv")) {
        SCOPED_TRACE(row[0]);
        EXPECT_EQ(u8(NumberText(std::strtod(row[0].c_str(), nullptr))), row[1]);
    }
}

// The sign position, then printf's 15 significant digits without the zero before the point.
TEST(NumberText, agreesWithPrintf) {
    std::mt19937_64 random(574);
    for (int i = 0; i < 200000; ++i) {
        const double x =
            std::ldexp(double(random() % (1ULL << 53)) * (i % 2 ? 1 : -1), int(random() % 120) - 90);
        char digits[40];
        std::snprintf(digits, sizeof digits, "%.15G", std::fabs(x));
        std::string expected =
            (x < 0 ? "-" : " ") + std::string(digits[0] == '0' && digits[1] == '.' ? digits + 1 : digits);
        ASSERT_EQ(u8(NumberText(x)), x == 0 ? " 0" : expected) << digits;
    }
}

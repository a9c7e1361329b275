// Decimal fields (decimal-fields.tsv), and against the C library. The field syntax itself is in
// the loader's cases.
#include "catalogue/FieldReader.h"
#include "support/TestFiles.h"

#include <cstdlib>

TEST(FieldReader, decimalFieldsReadAsTheCaseSays) {
    for (const auto& row : readTable("tests/catalogue/decimal-fields.tsv")) {
        const std::optional<double> value = parseDecimalField(fromUtf8(row[0]));
        EXPECT_EQ(value ? numberText(*value) : "none", row[1]) << row[0];
    }
}

// Short decimals take a fast path of their own; it must give the correctly rounded double that
// strtod gives.
TEST(FieldReader, decimalFieldsAgreeWithStrtod) {
    std::mt19937_64 random(1675);
    for (int i = 0; i < 200000; ++i) {
        std::string text = std::to_string(random() % 100000000000000000ULL); // up to 17 digits
        text.insert(random() % (text.size() + 1), ".");
        if (i % 3 == 0)
            text = "-" + text;
        ASSERT_EQ(parseDecimalField(fromUtf8(text)), std::strtod(text.c_str(), nullptr)) << text;
    }
}

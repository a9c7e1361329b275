// Designations taken apart (size-designations.tsv), and the leading-number rule that reads each
// dimension, against an independent reading of random texts.
#include "coefficients/SizeDesignation.h"
#include "coefficients/DataError.h"
#include "coefficients/LeadingNumber.h"
#include "support/TestFiles.h"

#include <cstdlib>

TEST(SplitDimensions, givesTheDimensionsOrTheMessage) {
    for (const auto& row : readTable("tests/coefficients/size-designations.tsv")) {
        SCOPED_TRACE(row[0] + " k=" + row[1]);
        std::string got;
        try {
            const Dimensions d = SplitDimensions(fromUtf8(row[0]), std::stoi(row[1]));
            for (int i = 0; i < std::stoi(row[1]); ++i)
                got += (i ? " " : "") + numberText(d.value[i]);
        } catch (const DataError& error) {
            got = u8(error.message);
        }
        EXPECT_EQ(got, row[2]);
    }
}

TEST(LeadingNumber, readsTheNumberAtTheStart) {
    for (const auto& row : readTable("tests/coefficients/leading-numbers.tsv")) {
        SCOPED_TRACE(row[0]);
        EXPECT_EQ(numberText(leadingNumber(fromUtf8(row[0]))), row[1]);
    }
}

// The same rule read another way: drop every blank, take the longest sign-digits-point prefix
// and let strtod read it.
TEST(LeadingNumber, agreesWithStrtodOnRandomTexts) {
    std::mt19937 random(65);
    const std::string alphabet = "0123456789012345678901234567890123456789.. \t\n-+xX";
    for (int i = 0; i < 100000; ++i) {
        std::string text;
        for (std::size_t n = random() % 30; n > 0; --n)
            text += alphabet[random() % alphabet.size()];
        std::string compact;
        for (const char c : text)
            if (c != ' ' && c != '\t' && c != '\n')
                compact += c;
        std::size_t end = compact.find_first_not_of("0123456789", compact.find_first_not_of("+-") ? 1 : 0);
        if (end != std::string::npos && compact[end] == '.')
            end = compact.find_first_not_of("0123456789", end + 1);
        const double expected = std::strtod(compact.substr(0, end).c_str(), nullptr);
        ASSERT_EQ(leadingNumber(fromUtf8(text)), expected) << "\"" << text << "\"";
    }
}

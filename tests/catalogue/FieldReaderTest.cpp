// The field syntax on the cases of field-reader.tsv, and decimal fields against the C library.
#include "catalogue/FieldReader.h"
#include "catalogue/Files.h"
#include "catalogue/TextLineReader.h"
#include "support/TestFiles.h"

#include <cstdlib>

// Runs the reads that `operations` names on `bytes` (t text, n number, i integer, l whole line,
// b skip blank lines, e at end?) and gives each result and each problem with its line.
static std::string readFields(const std::string& bytes, const std::string& operations) {
    MemorySource source(bytes);
    TextLineReader lines(source);
    FieldReader fields(lines);
    std::string out;
    fields.setProblemHandler([&](std::int64_t line, const std::u16string& text) {
        out += "[" + std::to_string(line) + ": " + u8(text) + "]";
    });
    for (const char operation : operations) {
        const auto number = [](auto value) { return value ? numberText(*value) : "(end)"; };
        if (operation == 't') {
            const std::optional<std::u16string_view> text = fields.readText();
            out += text ? u8(*text) : "(end)";
        } else if (operation == 'n')
            out += number(fields.readNumber());
        else if (operation == 'i')
            out += number(fields.readInteger());
        else if (operation == 'l')
            out += u8(fields.readWholeLine().value_or(u"(end)"));
        else if (operation == 'b')
            fields.skipBlankLines();
        else
            out += fields.atEnd() ? "(at end)" : "(more)";
        out += "|";
    }
    return out;
}

TEST(FieldReader, readsTheFieldsOfEachCase) {
    for (const auto& row : readTable("tests/catalogue/field-reader.tsv")) {
        SCOPED_TRACE(row[0]);
        EXPECT_EQ(readFields(row[1], row[2]), row[3]);
    }
}

// Short decimals take a fast path of their own; it must give the correctly rounded double that
// strtod gives.
TEST(FieldReader, decimalFieldsAgreeWithStrtod) {
    std::mt19937_64 random(1675);
    for (int i = 0; i < 200000; ++i) {
        std::string text = std::to_string(random() % 1000000000000000ULL);
        text.insert(random() % (text.size() + 1), ".");
        if (i % 3 == 0)
            text = "-" + text;
        ASSERT_EQ(parseDecimalField(fromUtf8(text)), std::strtod(text.c_str(), nullptr)) << text;
    }
}

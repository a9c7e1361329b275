// The generator on the case files in cases/: NAME.csv regenerates to the bytes of NAME.new, and
// the user is told what NAME.report lists. (Its files, the output that is the input under another
// name included, are zelk-tool's command cases; its counts past 16 bits are the hostile cases'.)
#include "coefficients/RegenerateCoefficients.h"
#include "base/Files.h"
#include "support/TestFiles.h"

const std::string kCases = "tests/coefficients/cases";

// What the user is shown, one line each.
class RecordingReporter : public RegenerationReporter {
public:
    void problem(std::int64_t line, const std::u16string& text) override {
        shown += "problem " + std::to_string(line) + ": " + u8(text) + "\n";
    }
    void stopped(const RegenerationResult& r) override {
        shown += std::string("stopped ") +
                 (r.status == RegenerationResult::Status::DataError ? "DataError" : "FileError") +
                 " at line " + std::to_string(r.line) + ": " + u8(r.message) + "\n";
    }
    void summary(std::u16string_view caption, const std::u16string& prompt) override {
        shown += "summary " + u8(caption) + ": " + u8(prompt) + "\n";
    }
    std::string shown;
};

class RegenerateCoefficientsCase : public testing::TestWithParam<std::string> {};

TEST_P(RegenerateCoefficientsCase, writesTheExpectedBytesAndTellsTheUser) {
    const std::string base = kCases + "/" + GetParam();
    MemorySource source(readBytes(sourcePath(base + ".csv")));
    MemorySink sink;
    RecordingReporter reporter;
    RegenerateCoefficients(source, sink, u"JISTEELW.CSV", u"JISTEELW.new", reporter);
    EXPECT_EQ(sink.bytes(), readBytes(sourcePath(base + ".new")));
    EXPECT_EQ(reporter.shown, readBytes(sourcePath(base + ".report")));
}

INSTANTIATE_TEST_SUITE_P(Cases, RegenerateCoefficientsCase, testing::ValuesIn(caseNames(kCases, ".csv")),
                         caseTestName);

// The generator on the case files in cases/: NAME.csv regenerates to the bytes of NAME.new, and
// the user is told what NAME.report lists. Then the file layer around it.
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

static std::string regenerate(const std::string& input, RecordingReporter& reporter) {
    MemorySource source(input);
    MemorySink sink;
    RegenerateCoefficients(source, sink, u"JISTEELW.CSV", u"JISTEELW.new", reporter);
    return sink.bytes();
}

class RegenerateCoefficientsCase : public testing::TestWithParam<std::string> {};

TEST_P(RegenerateCoefficientsCase, writesTheExpectedBytesAndTellsTheUser) {
    RecordingReporter reporter;
    const std::string base = kCases + "/" + GetParam();
    EXPECT_EQ(regenerate(readBytes(sourcePath(base + ".csv")), reporter),
              readBytes(sourcePath(base + ".new")));
    EXPECT_EQ(reporter.shown, readBytes(sourcePath(base + ".report")));
}

INSTANTIATE_TEST_SUITE_P(Cases, RegenerateCoefficientsCase, testing::ValuesIn(caseNames(kCases, ".csv")),
                         caseTestName);

// With no weight of more than four decimals, the generator's own output comes back unchanged.
TEST(RegenerateCoefficients, ownOutputRegeneratesToItself) {
    RecordingReporter reporter;
    const std::string once = readBytes(sourcePath(kCases + "/worked-examples.new"));
    EXPECT_EQ(regenerate(once, reporter), once);
}

// The counters are no 16-bit integers.
TEST(RegenerateCoefficients, countsMoreThan32767GroupsAndMembers) {
    std::string input = readBytes(sourcePath(kCases + "/worked-examples.new"));
    input.resize(input.find('"')); // the tag lines and the unit kinds
    for (int g = 0; g < 33000; ++g)
        input += "G,1,9\r\n/*\r\n";
    input += "M,1,5\r\n";
    for (int m = 0; m < 40000; ++m)
        input += "PL-1,,1,0\r\n";
    RecordingReporter reporter;
    regenerate(input + "/*\r\n", reporter);
    EXPECT_EQ(reporter.shown, "summary 塗装面積係数更新: グループ数= 33001, 総部材数= 40000\n");
}

// The new file replaces an earlier one whole; an output that is the input under another name is
// refused before anything is written.
TEST(RegenerateCoefficients, replacesTheOutputButNeverItsInput) {
    const ScratchDir dir;
    const std::string input = readBytes(sourcePath(kCases + "/worked-examples.csv"));
    writeBytes(dir / "JISTEELW.CSV", input);
    writeBytes(dir / "JISTEELW.new", std::string(100000, 'z'));
    RecordingReporter reporter;
    RegenerateCoefficients(dir / "JISTEELW.CSV", dir / "JISTEELW.new", reporter);
    EXPECT_EQ(readBytes(dir / "JISTEELW.new"), readBytes(sourcePath(kCases + "/worked-examples.new")));

    fs::create_hard_link(dir / "JISTEELW.CSV", dir / "LINK.new");
    for (const fs::path& output : {dir / "LINK.new", dir / "." / "JISTEELW.CSV"}) {
        reporter.shown.clear();
        RegenerateCoefficients(dir / "JISTEELW.CSV", output, reporter);
        EXPECT_EQ(reporter.shown,
                  "stopped FileError at line 0: 塗装面積係数ファイル" + u8(pathText(output)) +
                      "は鋼材データファイルと同じファイルです。上書きすると元のデータが失われるため、"
                      "書き込みません。\n");
        EXPECT_EQ(readBytes(dir / "JISTEELW.CSV"), input);
    }
}

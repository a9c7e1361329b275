// Bytes in, regenerated catalogue out: whatever the bytes, the run ends with exactly one report,
// and what it wrote is text that the program itself can read back: code page 932 (or UTF-8 behind
// a byte-order mark, when the input had one) with CR LF line ends.
#include "FuzzSupport.h"
#include "base/CodePage932.h"
#include "base/Files.h"
#include "coefficients/RegenerateCoefficients.h"

namespace {

class CountingReporter : public RegenerationReporter {
public:
    void problem(std::int64_t line, const std::u16string& text) override {
        check(line >= 1 && !text.empty());
    }
    void stopped(const RegenerationResult& result) override {
        check(!result.message.empty());
        ++stops;
    }
    void summary(std::u16string_view, const std::u16string& prompt) override {
        check(!prompt.empty());
        ++summaries;
    }
    int stops = 0;
    int summaries = 0;
};

// Every line, the last one too, ends in CR LF.
void checkLineEnds(std::string_view text) {
    check(text.empty() || text.ends_with("\r\n"));
    for (std::size_t i = text.find('\n'); i != std::string_view::npos; i = text.find('\n', i + 1))
        check(i > 0 && text[i - 1] == '\r');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    MemorySource input(bytes);
    MemorySink output;
    CountingReporter reporter;
    const RegenerationResult result =
        RegenerateCoefficients(input, output, u"fuzz.csv", u"fuzz.new", reporter);

    check(result.groups >= 0 && result.members >= 0);
    if (result.status == RegenerationResult::Status::Done)
        check(reporter.summaries == 1 && reporter.stops == 0 && result.message.empty());
    else
        check(reporter.summaries == 0 && reporter.stops == 1);
    if (result.status == RegenerationResult::Status::DataError)
        check(result.line >= 1); // the message names a line of the input

    std::string_view written = output.bytes();
    const bool utf8 = bytes.starts_with("\xEF\xBB\xBF");
    bool valid = true;
    std::u16string text;
    if (utf8) {
        check(written.starts_with("\xEF\xBB\xBF"));
        written.remove_prefix(3);
        fromUtf8(written, &valid);
    } else {
        valid = CodePage932::decode(written, text);
    }
    check(valid);
    checkLineEnds(written);
    return 0;
}

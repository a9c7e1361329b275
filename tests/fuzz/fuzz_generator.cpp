// Bytes in, regenerated catalogue out: whatever the bytes, the run ends with exactly one report,
// and what it wrote is text that the program itself can read back: code page 932 (or UTF-8 behind
// a byte-order mark, when the input had one) with CR LF after every line.
#include "FuzzSupport.h"
#include "base/CodePage932.h"
#include "base/Files.h"
#include "base/TextLineReader.h"
#include "coefficients/RegenerateCoefficients.h"

namespace {

struct CountingReporter : RegenerationReporter {
    void problem(std::int64_t line, const std::u16string& text) override {
        check(line >= 1 && !text.empty());
    }
    void stopped(const RegenerationResult& result) override { check(!result.message.empty()), ++stops; }
    void summary(std::u16string_view, const std::u16string& prompt) override {
        check(!prompt.empty()), ++summaries;
    }
    int stops = 0;
    int summaries = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    MemorySource input(bytes);
    MemorySink output;
    CountingReporter reporter;
    const RegenerationResult result =
        RegenerateCoefficients(input, output, u"fuzz.csv", u"fuzz.new", reporter);
    const bool done = result.status == RegenerationResult::Status::Done;
    check(reporter.summaries == (done ? 1 : 0) && reporter.stops == (done ? 0 : 1));
    check(result.groups >= 0 && result.members >= 0);
    check(result.status != RegenerationResult::Status::DataError || result.line >= 1); // a line of the input

    std::string_view written = output.bytes();
    bool valid = true;
    std::u16string text;
    if (bytes.starts_with(kUtf8ByteOrderMark)) {
        check(written.starts_with(kUtf8ByteOrderMark));
        written.remove_prefix(kUtf8ByteOrderMark.size());
        fromUtf8(written, &valid);
    } else {
        valid = CodePage932::decode(written, text);
    }
    check(valid && (written.empty() || written.ends_with("\r\n")));
    for (std::size_t i = written.find('\n'); i != std::string_view::npos; i = written.find('\n', i + 1))
        check(i > 0 && written[i - 1] == '\r');
    return 0;
}

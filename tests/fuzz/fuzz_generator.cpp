// Bytes in, regenerated catalogue out: whatever the bytes, the run ends with exactly one report,
// and what it wrote is text that the program itself can read back: code page 932 (or UTF-8 behind
// a byte-order mark, when the input had one) with CR LF line ends.
#include "catalogue/TextLineReader.h"
#include "coefficients/RegenerateCoefficients.h"

#include <QBuffer>
#include <QStringDecoder>

#include <cstdlib>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

class CountingReporter : public RegenerationReporter {
public:
    void problem(qint64 line, const QString& text) override { check(line >= 1 && !text.isEmpty()); }
    void stopped(const RegenerationResult& result) override {
        check(!result.message.isEmpty());
        ++stops;
    }
    void summary(const QString&, const QString& prompt) override {
        check(!prompt.isEmpty());
        ++summaries;
    }
    int stops = 0;
    int summaries = 0;
};

void checkLineEnds(QByteArrayView text) {
    if (text.isEmpty())
        return;
    check(text.endsWith("\r\n"));
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\n')
            check(i > 0 && text[i - 1] == '\r');
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer input;
    input.setData(bytes);
    input.open(QIODevice::ReadOnly);
    QBuffer output;
    output.open(QIODevice::WriteOnly);
    CountingReporter reporter;
    const RegenerationResult result = RegenerateCoefficients(input, output, QStringLiteral("fuzz.csv"),
                                                             QStringLiteral("fuzz.new"), reporter);

    check(result.groups >= 0 && result.members >= 0);
    if (result.status == RegenerationResult::Status::Done)
        check(reporter.summaries == 1 && reporter.stops == 0 && result.message.isEmpty());
    else
        check(reporter.summaries == 0 && reporter.stops == 1);
    if (result.status == RegenerationResult::Status::DataError)
        check(result.line >= 1); // the message names a line of the input

    QByteArrayView written(output.data());
    const bool utf8 = bytes.startsWith("\xEF\xBB\xBF");
    if (utf8) {
        check(written.startsWith("\xEF\xBB\xBF"));
        written = written.sliced(3);
    }
    QStringDecoder decoder = utf8 ? QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless)
                                  : QStringDecoder(kCp932Name, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(written);
    check(!decoder.hasError());
    checkLineEnds(written);
    return 0;
}

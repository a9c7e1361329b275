#include "Commands.h"
#include "ToolOutput.h"

#include "base/Text.h"
#include "catalogue/LoadCatalogue.h"
#include "coefficients/RegenerateCoefficients.h"

namespace {

// Prints what the window would show in message boxes: the summary on standard output, the rest
// on standard error.
class PrintingReporter final : public RegenerationReporter {
public:
    explicit PrintingReporter(std::u16string dataFileName) : m_dataFileName(std::move(dataFileName)) {}

    void problem(std::int64_t line, const std::u16string& text) override {
        printErr(m_dataFileName + u':' + problemLineText({line, text}) + u'\n');
    }

    void stopped(const RegenerationResult& result) override {
        printErr(result.message + u'\n');
        if (result.status == RegenerationResult::Status::DataError && result.line > 0)
            printErr(formatText(u"（%1 の %2 行目）\n", {m_dataFileName, decimalText(result.line)}));
    }

    void summary(std::u16string_view, const std::u16string& prompt) override { printOut(prompt + u'\n'); }

private:
    const std::u16string m_dataFileName;
};

} // namespace

ToolExitStatus runRegen(const std::filesystem::path& file, const std::filesystem::path& output) {
    PrintingReporter reporter(pathText(file));
    switch (RegenerateCoefficients(file, output, reporter).status) {
    case RegenerationResult::Status::Done:
        return ToolExitStatus::Ok;
    case RegenerationResult::Status::DataError:
        return ToolExitStatus::DataError;
    case RegenerationResult::Status::FileError:
        break;
    }
    return ToolExitStatus::FileError;
}

#pragma once

#include "catalogue/LoadCatalogue.h"
#include "coefficients/RegenerateCoefficients.h"

#include <vector>

class LookupView;

// Reports a run of the coefficient generator in the lookup window's message boxes: what the
// reader repaired in one message, then the message that stopped the run or the closing summary.
class WindowRegenerationReporter final : public RegenerationReporter {
public:
    WindowRegenerationReporter(LookupView& view, std::u16string dataFileName);

    void problem(std::int64_t line, const std::u16string& text) override;
    void stopped(const RegenerationResult& result) override;
    void summary(std::u16string_view caption, const std::u16string& prompt) override;

private:
    void showProblems();

    LookupView& m_view;
    const std::u16string m_dataFileName;
    std::vector<LoadProblem> m_problems;
};

#pragma once

#include "catalogue/LoadCatalogue.h"
#include "coefficients/RegenerateCoefficients.h"

#include <vector>

class LookupView;

// Reports a run of the coefficient generator in the lookup window's message boxes: what the
// reader repaired in one message, then the message that stopped the run or the closing summary.
class WindowRegenerationReporter final : public RegenerationReporter {
public:
    WindowRegenerationReporter(LookupView& view, const QString& dataFileName);

    void problem(qint64 line, const QString& text) override;
    void stopped(const RegenerationResult& result) override;
    void summary(const QString& caption, const QString& prompt) override;

private:
    void showProblems();

    LookupView& m_view;
    const QString m_dataFileName;
    std::vector<LoadProblem> m_problems;
};

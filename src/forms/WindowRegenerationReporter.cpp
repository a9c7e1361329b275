#include "WindowRegenerationReporter.h"

#include "LookupView.h"

WindowRegenerationReporter::WindowRegenerationReporter(LookupView& view, std::u16string dataFileName)
    : m_view(view), m_dataFileName(std::move(dataFileName)) {}

void WindowRegenerationReporter::problem(std::int64_t line, const std::u16string& text) {
    m_problems.push_back({line, text});
}

void WindowRegenerationReporter::showProblems() {
    if (m_problems.empty())
        return;
    m_view.showMessage(problemsMessage(m_dataFileName, m_problems));
    m_problems.clear();
}

void WindowRegenerationReporter::stopped(const RegenerationResult& result) {
    showProblems();
    m_view.showMessage(result.message);
}

void WindowRegenerationReporter::summary(std::u16string_view caption, const std::u16string& prompt) {
    showProblems();
    m_view.showCaptionedMessage(caption, prompt);
}

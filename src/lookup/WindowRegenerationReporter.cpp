#include "WindowRegenerationReporter.h"

#include "LookupView.h"

WindowRegenerationReporter::WindowRegenerationReporter(LookupView& view, const QString& dataFileName)
    : m_view(view), m_dataFileName(dataFileName) {}

void WindowRegenerationReporter::problem(qint64 line, const QString& text) {
    m_problems.push_back({line, text});
}

void WindowRegenerationReporter::showProblems() {
    if (m_problems.empty())
        return;
    m_view.showMessage(ProblemsMessage(m_dataFileName, m_problems));
    m_problems.clear();
}

void WindowRegenerationReporter::stopped(const RegenerationResult& result) {
    showProblems();
    m_view.showMessage(result.message);
}

void WindowRegenerationReporter::summary(const QString& caption, const QString& prompt) {
    showProblems();
    m_view.showCaptionedMessage(caption, prompt);
}

#include "RatioReporter.h"

#include <cstdio>

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (!run.error_occurred && run.run_type == Run::RT_Iteration)
            m_cpuTimes[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
}

double RatioReporter::printRatio(const std::string& name, const std::string& reference, double goal) const {
    const auto measured = m_cpuTimes.find(name);
    const auto floor = m_cpuTimes.find(reference);
    if (measured == m_cpuTimes.end() || floor == m_cpuTimes.end() || floor->second <= 0)
        return 0;
    const double ratio = measured->second / floor->second;
    std::printf("%s / %s = %.2f (goal: at most %.2f) %s\n", name.c_str(), reference.c_str(), ratio, goal,
                ratio <= goal ? "met" : "MISSED");
    return ratio;
}

RatioReporter& runBenchmarks(int argc, char** argv) {
    static RatioReporter reporter;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter;
}

#pragma once
// Prints the usual console table, then a benchmark's CPU time as a ratio to that of its floor in
// the same run (CPU time is steadier than wall time on a busy machine), so that results compare
// across machines.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            m_cpuTimes[run.benchmark_name()] = run.error_occurred ? 0 : run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    // "name / floor = ratio (goal: at most `goal`) met", or MISSED.
    void printRatio(const std::string& name, const std::string& floor, double goal) {
        const double ratio = m_cpuTimes[name] / m_cpuTimes[floor];
        std::printf("%s / %s = %.2f (goal: at most %.2f) %s\n", name.c_str(), floor.c_str(), ratio, goal,
                    ratio > 0 && ratio <= goal ? "met" : "MISSED");
    }

private:
    std::map<std::string, double> m_cpuTimes;
};

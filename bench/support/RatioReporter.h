#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>

// Prints the usual console table, then each measured benchmark's time as a ratio to a reference
// benchmark of the same run (its floor or its peer), so that results compare across machines.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    // Prints "name / reference = ratio (goal: at most `goal`)"; returns the ratio, 0 when unknown.
    double printRatio(const std::string& name, const std::string& reference, double goal) const;

private:
    std::map<std::string, double> m_cpuTimes; // by benchmark name, CPU time in the run's time unit (steadier
                                              // than wall time on a busy machine)
};

// Runs the benchmarks selected on the command line with a RatioReporter.
RatioReporter& runBenchmarks(int argc, char** argv);

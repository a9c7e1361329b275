// bench_coefficients                      the Google Benchmark runs, then both in turn 15 times
// bench_coefficients --write-catalogue FILE MEMBERS
// bench_coefficients --copy IN OUT         the floor alone, for timing from the outside
// bench_coefficients --regen IN OUT        the generator alone, the same way
// bench_coefficients --ratio IN            the two in turn on IN: the median ratio of 15 runs
#include "BenchCatalogue.h"
#include "RatioReporter.h"
#include "coefficients/RegenerateCoefficients.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <vector>

namespace {

constexpr std::int64_t kMembers = 1000000;

class SilentReporter : public RegenerationReporter {
public:
    void problem(std::int64_t, const std::u16string&) override {}
    void stopped(const RegenerationResult&) override {}
    void summary(std::u16string_view, const std::u16string&) override {}
};

std::filesystem::path benchPath(const char* name) {
    return std::filesystem::temp_directory_path() / (std::string("zelk-bench-") + name);
}

bool regenerate(const std::filesystem::path& input, const std::filesystem::path& output) {
    SilentReporter reporter;
    const RegenerationResult result = RegenerateCoefficients(input, output, reporter);
    return result.status == RegenerationResult::Status::Done;
}

void BM_CopyFloor(benchmark::State& state) {
    for (auto _ : state) {
        const std::int64_t lines = copyCatalogue(benchPath("1m.csv"), benchPath("copy.out"));
        benchmark::DoNotOptimize(lines);
    }
    state.counters["members/s"] =
        benchmark::Counter(double(kMembers), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_RegenerateCoefficients(benchmark::State& state) {
    for (auto _ : state) {
        if (!regenerate(benchPath("1m.csv"), benchPath("regen.out")))
            state.SkipWithError("the generator did not finish the catalogue");
    }
    state.counters["members/s"] =
        benchmark::Counter(double(kMembers), benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_CopyFloor)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RegenerateCoefficients)->Unit(benchmark::kMillisecond)->Iterations(5);

// The floor and the generator in turn, `pairs` times, each timed in CPU seconds: the median of
// the pairs' ratios. A shared machine's load drifts over seconds, which two series run one after
// the other take in differently, and one pair in turn hardly.
double pairedRatio(const std::filesystem::path& input, int pairs) {
    std::vector<double> ratios;
    for (int i = 0; i < pairs; ++i) {
        const std::clock_t start = std::clock();
        copyCatalogue(input, benchPath("copy.out"));
        const std::clock_t copied = std::clock();
        regenerate(input, benchPath("regen.out"));
        ratios.push_back(double(std::clock() - copied) / double(copied - start));
    }
    std::sort(ratios.begin(), ratios.end());
    return ratios[ratios.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--write-catalogue") == 0)
        return writeBenchCatalogue(argv[2], std::atoll(argv[3])) ? 0 : 3;
    if (argc == 4 && std::strcmp(argv[1], "--copy") == 0)
        return copyCatalogue(argv[2], argv[3]) >= 0 ? 0 : 3;
    if (argc == 4 && std::strcmp(argv[1], "--regen") == 0)
        return regenerate(argv[2], argv[3]) ? 0 : 3;
    if (argc == 3 && std::strcmp(argv[1], "--ratio") == 0)
        return std::printf("%.2f\n", pairedRatio(argv[2], 15)) > 0 ? 0 : 3;
    if (!writeBenchCatalogue(benchPath("1m.csv"), kMembers))
        return 3;
    RatioReporter reporter;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    reporter.printRatio("BM_RegenerateCoefficients/iterations:5", "BM_CopyFloor/iterations:5", 2.5);
    const double ratio = pairedRatio(benchPath("1m.csv"), 15);
    std::printf("generator / floor, median of 15 runs in turn = %.2f (goal: at most 2.50) %s\n", ratio,
                ratio <= 2.5 ? "met" : "MISSED");
    for (const char* name : {"1m.csv", "copy.out", "regen.out"})
        std::filesystem::remove(benchPath(name));
    return 0;
}

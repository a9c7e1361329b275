// bench_coefficients                      the Google Benchmark runs: floor and generator
// bench_coefficients --write-catalogue FILE MEMBERS
// bench_coefficients --copy IN OUT         the floor alone, for timing from the outside
#include "BenchCatalogue.h"
#include "coefficients/RegenerateCoefficients.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr qint64 kMembers = 1000000;

class SilentReporter : public RegenerationReporter {
public:
    void problem(qint64, const QString&) override { ++problems; }
    void stopped(const RegenerationResult&) override {}
    void summary(const QString&, const QString&) override {}
    qint64 problems = 0;
};

// One catalogue for all runs, written on first use.
const QTemporaryDir& benchDir() {
    static QTemporaryDir dir;
    static const bool written = WriteBenchCatalogue(dir.filePath(QStringLiteral("bench.csv")), kMembers);
    if (!written)
        std::abort();
    return dir;
}

void BM_CopyFloor(benchmark::State& state) {
    const QTemporaryDir& dir = benchDir();
    for (auto _ : state) {
        const qint64 lines = CopyCatalogue(dir.filePath(QStringLiteral("bench.csv")),
                                           dir.filePath(QStringLiteral("copy.out")));
        benchmark::DoNotOptimize(lines);
    }
    state.counters["members/s"] =
        benchmark::Counter(double(kMembers), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_RegenerateCoefficients(benchmark::State& state) {
    const QTemporaryDir& dir = benchDir();
    for (auto _ : state) {
        SilentReporter reporter;
        const RegenerationResult result = RegenerateCoefficients(
            dir.filePath(QStringLiteral("bench.csv")), dir.filePath(QStringLiteral("regen.out")), reporter);
        if (result.status != RegenerationResult::Status::Done || result.members != kMembers)
            state.SkipWithError("the generator did not finish the catalogue");
    }
    state.counters["members/s"] =
        benchmark::Counter(double(kMembers), benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_CopyFloor)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RegenerateCoefficients)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--write-catalogue") == 0)
        return WriteBenchCatalogue(QString::fromLocal8Bit(argv[2]), std::atoll(argv[3])) ? 0 : 3;
    if (argc == 4 && std::strcmp(argv[1], "--copy") == 0)
        return CopyCatalogue(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3])) >= 0 ? 0 : 3;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Loading a catalogue at capacity (100 groups of 200 members) against the floor: reading the same
// file, decoding it and splitting it into lines, nothing more.
#include "RatioReporter.h"
#include "base/CodePage932.h"
#include "base/Files.h"
#include "base/Text.h"
#include "base/TextLineReader.h"
#include "catalogue/LoadCatalogue.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

std::filesystem::path g_path;

void writeCatalogueAtCapacity(const std::filesystem::path& path) {
    std::u16string text =
        u"W>{right}\r\nW=d1*e1\r\nA>{right}\r\nA=f1*2\r\n1>{down}{left 6}\r\n"
        u"2>{down}{left 5}\r\n3>\r\n2,単位重量,塗装面積係数\r\n1,kg/m,m2/t\r\n2,kg/m2,m2/t\r\n";
    for (int g = 1; g <= Catalogue::kGroupCapacity; ++g) {
        text += formatText(u"\"Ｈ形鋼 %1\",1,2\r\n", {decimalText(g)});
        for (int m = 1; m <= Catalogue::kMemberCapacity; ++m) {
            text += formatText(u"\"H-%1x%2x6x8            \",\"ソ表\",    %3.2000,       34.19\r\n",
                               {decimalText(100 + m), decimalText(g), decimalText(m)});
        }
        text += u"/*\r\n";
    }
    std::string bytes;
    if (!CodePage932::encode(text, bytes) || !(std::ofstream(path, std::ios::binary) << bytes))
        std::abort();
}

void BM_Floor_ReadDecodeSplit(benchmark::State& state) {
    for (auto _ : state) {
        InputFile file;
        file.open(g_path);
        TextLineReader lines(file);
        std::u16string line;
        std::size_t characters = 0;
        while (lines.readLine(line))
            characters += line.size();
        benchmark::DoNotOptimize(characters);
    }
}
BENCHMARK(BM_Floor_ReadDecodeSplit)->Unit(benchmark::kMillisecond);

void BM_LoadCatalogue(benchmark::State& state) {
    Catalogue catalogue;
    for (auto _ : state) {
        const LoadResult result = LoadCatalogue(catalogue, g_path);
        if (result.status != LoadResult::Status::Loaded || catalogue.GroupCount != 100)
            state.SkipWithError("the catalogue did not load");
        benchmark::DoNotOptimize(catalogue.MemberName[100][200]);
    }
}
BENCHMARK(BM_LoadCatalogue)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    g_path = std::filesystem::temp_directory_path() / "zelk-bench-JISTEELW.CSV";
    writeCatalogueAtCapacity(g_path);
    RatioReporter reporter;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    reporter.printRatio("BM_LoadCatalogue", "BM_Floor_ReadDecodeSplit", 3.0);
    std::filesystem::remove(g_path);
    return 0;
}

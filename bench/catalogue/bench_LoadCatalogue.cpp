// Loading a catalogue at capacity (100 groups of 200 members) against the floor: reading the same
// file, decoding it and splitting it into lines, nothing more.
#include "RatioReporter.h"
#include "catalogue/LoadCatalogue.h"
#include "catalogue/TextLineReader.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

namespace {

QString g_path;

void writeCatalogueAtCapacity(const QString& path) {
    QString text = QStringLiteral(
        "W>{right}\r\nW=d1*e1\r\nA>{right}\r\nA=f1*2\r\n1>{down}{left 6}\r\n"
        "2>{down}{left 5}\r\n3>\r\n2,単位重量,塗装面積係数\r\n1,kg/m,m2/t\r\n2,kg/m2,m2/t\r\n");
    for (int g = 1; g <= Catalogue::kGroupCapacity; ++g) {
        text += QStringLiteral("\"Ｈ形鋼 %1\",1,2\r\n").arg(g);
        for (int m = 1; m <= Catalogue::kMemberCapacity; ++m) {
            text += QStringLiteral("\"H-%1x%2x6x8            \",\"ソ表\",    %3.2000,       34.19\r\n")
                        .arg(100 + m)
                        .arg(g)
                        .arg(m);
        }
        text += QStringLiteral("/*\r\n");
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write the benchmark catalogue");
    QStringEncoder encoder(kCp932Name);
    file.write(encoder.encode(text));
}

void BM_Floor_ReadDecodeSplit(benchmark::State& state) {
    for (auto _ : state) {
        QFile file(g_path);
        file.open(QIODevice::ReadOnly);
        TextLineReader lines(file);
        QString line;
        qsizetype characters = 0;
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
    QTemporaryDir dir;
    g_path = dir.filePath(QStringLiteral("JISTEELW.CSV"));
    writeCatalogueAtCapacity(g_path);
    RatioReporter& reporter = runBenchmarks(argc, argv);
    reporter.printRatio("BM_LoadCatalogue", "BM_Floor_ReadDecodeSplit", 3.0);
    return 0;
}

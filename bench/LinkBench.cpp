// Table-form transfers in a row into the stand-in spreadsheet, made by the real zelk program as a
// user makes them: zelk's window is clicked, then Down (or Up, on the way back through the list)
// chooses the next member. Reports how many rows arrived wrong (goal: 0) and the median time per
// member, from the key press until the member's row is in the grid and the cursor on the next row,
// against its floor, the stand-in's own fetch delays (three pastes, each finished only at its last
// fetch).
//
// Usage: link-bench [--transfers N] [--fetches PATTERN] [--load]
//   --transfers N      N transfers (default 100), in rounds of at most 100, each with a new zelk
//                      and a new stand-in: a sheet of thousands of cells would slow the stand-in
//   --fetches PATTERN  the stand-in's fetches of each paste, as "later:100,400" or "inside:100,400"
//                      (support/StandInGrid.h; default later:100,200)
//   --load             two busy processes per core beside, started and stopped here
#include "Desktop.h"
#include "support/StandInGrid.h"

#include "catalogue/LoadCatalogue.h"
#include "link/MemberTexts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

namespace {

constexpr int kRoundTransfers = 100;

// The link settings of the test catalogue and one group of kind 1 (whose keys end each row at the
// start of the next one) with a member for every transfer of a round and one more.
bool writeBenchCatalogue(const QString& path) {
    QFile source(QStringLiteral(ZELK_SOURCE_DIR "/tests/data/link-table.csv"));
    if (!source.open(QIODevice::ReadOnly))
        return false;
    QList<QByteArray> lines = source.readAll().split('\n').mid(0, 11);
    lines.append(QByteArray("BENCH,1,") + QByteArray::number(kRoundTransfers + 1) + '\r');
    for (int i = 0; i <= kRoundTransfers; ++i) {
        lines.append(QStringLiteral("H-%1x100x6x8,R%2,%3,%4\r")
                         .arg(100 + i)
                         .arg(i % 7)
                         .arg(10 + i * 0.25, 0, 'f', 2)
                         .arg(30 + i * 0.5, 0, 'f', 1)
                         .toLatin1());
    }
    lines.append("/*\r");
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(lines.join('\n') + '\n') > 0;
}

std::string cell(int column, int row) {
    return std::string(1, char('A' + column)) + std::to_string(row);
}

struct Round {
    int wrong = 0;
    std::vector<qint64> times;
    std::string ignored;
    QString error; // set when the round could not be run to its end
};

// One round of `transfers` transfers through a new zelk into a new stand-in.
Round runRound(const Catalogue& catalogue, const QString& path, const QString& fetches, int transfers) {
    Round round;
    StandInProcess standIn;
    ZelkProcess zelk;
    if (!standIn.start(QStringLiteral("Microsoft Excel - Book1"), fetches))
        return round.error = standIn.error, round;
    if (!zelk.start({path}))
        return round.error = zelk.error, round;
    QElapsedTimer clock;
    for (int i = 0; i < transfers; ++i) {
        // The first member is chosen with Space from the group box's Tab into the list.
        const QStringList keys = i == 0 ? QStringList{"Tab", "space"} : QStringList{"Down"};
        if (!zelk.activate())
            return round.error = zelk.error, round;
        const std::string nextRow = cell(0, i + 2), pastes = std::to_string(3 * (i + 1));
        clock.start();
        // Press and release at once: the time a user holds the key is not the program's.
        if (!zelk.type(keys, 0))
            return round.error = zelk.error, round;
        if (!waitUntil(
                [&] {
                    const auto grid = standIn.grid();
                    return grid.count("cursor") && grid.at("cursor") == nextRow &&
                           grid.at("pastes") == pastes;
                },
                60000))
            return round.error = QStringLiteral("transfer %1 did not arrive").arg(i + 1), round;
        round.times.push_back(clock.elapsed());
    }
    if (!waitUntil([&] { return zelk.choices().size() >= std::size_t(transfers); }))
        return round.error = QStringLiteral("zelk did not report every choice"), round;
    const std::map<std::string, std::string> grid = standIn.grid();
    for (int i = 0; i < transfers; ++i) {
        const auto m = std::int16_t(i + 1);
        QStringList expected = QString::fromStdU16String(TableRowText(catalogue, 1, m)).split(u'\t');
        expected << QString::fromStdU16String(catalogue.WeightFormula)
                 << QString::fromStdU16String(catalogue.AreaFormula);
        bool same = zelk.choices().at(std::size_t(i)) == valueLabelText(catalogue, 1, m);
        for (int column = 0; column < int(expected.size()); ++column) {
            const auto found = grid.find(cell(column, i + 1));
            same = same &&
                   (found == grid.end() ? std::string() : found->second) == expected[column].toStdString();
        }
        round.wrong += same ? 0 : 1;
    }
    round.ignored = grid.count("ignored") ? grid.at("ignored") : "?";
    return round;
}

int fail(const QString& message) {
    std::fprintf(stderr, "link-bench: %s\n", qPrintable(message));
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    int transfers = kRoundTransfers;
    QString fetches;
    bool load = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--load")
            load = true;
        else if (option == "--transfers" && i + 1 < argc)
            transfers = std::max(1, std::atoi(argv[++i]));
        else if (option == "--fetches" && i + 1 < argc)
            fetches = QString::fromLocal8Bit(argv[++i]);
        else
            return fail(QStringLiteral("usage: link-bench [--transfers N] [--fetches PATTERN] [--load]"));
    }
    desktopApplication();
    if (QGuiApplication::platformName() != QStringLiteral("xcb"))
        return fail(QStringLiteral("needs an X display (QT_QPA_PLATFORM=xcb)"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("link-bench.csv"));
    Catalogue catalogue;
    if (!writeBenchCatalogue(path) ||
        LoadCatalogue(catalogue, path.toStdString()).status != LoadResult::Status::Loaded)
        return fail(QStringLiteral("cannot write and load the benchmark's catalogue"));

    // The load: processes that never wait, two for each core, ended with the benchmark.
    std::vector<std::unique_ptr<ChildProcess>> busy;
    const int busyCount = load ? 2 * int(std::max(1U, std::thread::hardware_concurrency())) : 0;
    for (int i = 0; i < busyCount; ++i) {
        busy.push_back(std::make_unique<ChildProcess>());
        busy.back()->start(QStringLiteral("sh"), {"-c", "while :; do :; done"});
    }

    std::vector<qint64> times;
    int wrong = 0;
    std::string ignored;
    QElapsedTimer wall;
    wall.start();
    for (int done = 0; done < transfers; done += kRoundTransfers) {
        const Round round = runRound(catalogue, path, fetches, std::min(kRoundTransfers, transfers - done));
        if (!round.error.isEmpty())
            return fail(QStringLiteral("round from transfer %1: %2").arg(done + 1).arg(round.error));
        wrong += round.wrong;
        times.insert(times.end(), round.times.begin(), round.times.end());
        ignored += (ignored.empty() ? "" : "+") + round.ignored;
    }

    std::vector<qint64> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    const double median = double(sorted[sorted.size() / 2] + sorted[(sorted.size() - 1) / 2]) / 2;
    const FetchPattern pattern = fetchPattern(fetches.toStdString());
    const int floorMs = 3 * pattern.times.back();
    std::printf("transfers                %d (through zelk, one Down key each, rounds of %d)\n", transfers,
                kRoundTransfers);
    std::printf("machine                  %s\n",
                load ? qPrintable(QStringLiteral("loaded: %1 busy processes").arg(busyCount)) : "not loaded");
    std::printf("stand-in fetches         %s at", pattern.inside ? "inside the paste command" : "later");
    for (const int at : pattern.times)
        std::printf(" %d", at);
    std::printf(" ms\n");
    std::printf("rows arrived wrong       %d\n", wrong);
    std::printf("keys ignored by target   %s\n", ignored.c_str());
    std::printf("median ms per member     %.0f (fastest %lld, slowest %lld)\n", median,
                static_cast<long long>(sorted.front()), static_cast<long long>(sorted.back()));
    std::printf("floor: stand-in's fetch  %d ms per member\n", floorMs);
    std::printf("beyond the floor         %.0f ms (goal <= 250), ratio to floor %.2f\n", median - floorMs,
                median / floorMs);
    std::printf("wall time                %.0f s\n", double(wall.elapsed()) / 1000);
    return wrong == 0 ? 0 : 1;
}

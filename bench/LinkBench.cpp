// 100 table-form transfers in a row into the stand-in spreadsheet, made by the real zelk program
// as a user makes them: zelk's window is clicked, then Down in the member list chooses the next
// member. Reports how many rows arrived wrong (goal: 0) and the median time per member, from the
// key press until the member's row is in the grid and the cursor on the next row, against its
// floor, the stand-in's own fetch delays (three pastes, each finished only at its last fetch).
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
#include <vector>

namespace {

constexpr int kTransfers = 100;

// The link settings of the test catalogue and one group of kind 1 (whose keys end each row at the
// start of the next one) with a member for every transfer and one more.
bool writeBenchCatalogue(const QString& path) {
    QFile source(QStringLiteral(ZELK_SOURCE_DIR "/tests/data/link-table.csv"));
    if (!source.open(QIODevice::ReadOnly))
        return false;
    QList<QByteArray> lines = source.readAll().split('\n').mid(0, 11);
    lines.append(QByteArray("BENCH,1,") + QByteArray::number(kTransfers + 1) + '\r');
    for (int i = 0; i <= kTransfers; ++i) {
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

int fail(const QString& message) {
    std::fprintf(stderr, "link-bench: %s\n", qPrintable(message));
    return 2;
}

std::string cell(int column, int row) {
    return std::string(1, char('A' + column)) + std::to_string(row);
}

} // namespace

int main() {
    desktopApplication();
    if (QGuiApplication::platformName() != QStringLiteral("xcb"))
        return fail(QStringLiteral("needs an X display (QT_QPA_PLATFORM=xcb)"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("link-bench.csv"));
    Catalogue catalogue;
    if (!writeBenchCatalogue(path) ||
        LoadCatalogue(catalogue, path.toStdString()).status != LoadResult::Status::Loaded)
        return fail(QStringLiteral("cannot write and load the benchmark's catalogue"));

    StandInProcess standIn;
    if (!standIn.start(QStringLiteral("Microsoft Excel - Book1")))
        return fail(standIn.error);
    ZelkProcess zelk;
    if (!zelk.start({path}))
        return fail(zelk.error);

    std::vector<qint64> times;
    QElapsedTimer clock;
    for (int i = 0; i < kTransfers; ++i) {
        // The first member is chosen with Space from the group box's Tab into the list.
        const QStringList keys = i == 0 ? QStringList{"Tab", "space"} : QStringList{"Down"};
        if (!zelk.activate())
            return fail(zelk.error);
        const std::string nextRow = cell(0, i + 2), pastes = std::to_string(3 * (i + 1));
        clock.start();
        // Press and release at once: the time a user holds the key is not the program's.
        if (!zelk.type(keys, 0))
            return fail(zelk.error);
        if (!waitUntil([&] {
                const auto grid = standIn.grid();
                return grid.count("cursor") && grid.at("cursor") == nextRow && grid.at("pastes") == pastes;
            }))
            return fail(QStringLiteral("transfer %1 did not arrive").arg(i + 1));
        times.push_back(clock.elapsed());
    }
    if (!waitUntil([&] { return zelk.choices().size() >= std::size_t(kTransfers); }))
        return fail(QStringLiteral("zelk did not report every choice"));
    const std::map<std::string, std::string> grid = standIn.grid();

    int wrong = 0;
    for (int i = 0; i < kTransfers; ++i) {
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
        wrong += same ? 0 : 1;
    }

    std::vector<qint64> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    const double median = double(sorted[sorted.size() / 2] + sorted[(sorted.size() - 1) / 2]) / 2;
    const int floorMs = 3 * kStandInLastFetchMs;
    std::printf("transfers                %d (through zelk, one Down key each)\n", kTransfers);
    std::printf("rows arrived wrong       %d\n", wrong);
    std::printf("choices zelk reported    %zu\n", zelk.choices().size());
    std::printf("keys ignored by target   %s\n", grid.count("ignored") ? grid.at("ignored").c_str() : "?");
    std::printf("median ms per member     %.0f (fastest %lld, slowest %lld)\n", median,
                static_cast<long long>(sorted.front()), static_cast<long long>(sorted.back()));
    std::printf("floor: stand-in's fetch  %d ms per member\n", floorMs);
    std::printf("beyond the floor         %.0f ms (goal <= 250), ratio to floor %.2f\n", median - floorMs,
                median / floorMs);
    return wrong == 0 ? 0 : 1;
}

// Types 100 members into the stand-in spreadsheet in table form, one after the other, through the
// real X11 sink, then reads the grid back. Reports how many rows arrived wrong (goal: 0) and the
// median time per member against its floor, the stand-in's own fetch delays (three pastes, each
// finished only at the stand-in's last fetch).

#include "catalogue/LoadCatalogue.h"
#include "lookup/MemberTexts.h"
#include "lookup/SpreadsheetLink.h"
#include "lookup/SpreadsheetLinkView.h"
#include "platform/EventPump.h"
#include "platform/X11TransferSink.h"
#include "standin/StandInProcess.h"
#include "standin/StandInWindow.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kTransfers = 100;
constexpr int kSettleTimeoutMs = 20000;

class SilentView : public SpreadsheetLinkView {
public:
    QStringList messages;
    void SetMenuChecked(LinkMenuItem, bool) override {}
    void ShowLinkMessage(const QString& message) override { messages.append(message); }
};

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (!X11TransferSink::Available()) {
        std::fprintf(stderr, "link-bench: needs an X display (QT_QPA_PLATFORM=xcb)\n");
        return 2;
    }
    Catalogue catalogue;
    if (LoadCatalogue(catalogue, QStringLiteral(ZELK_SOURCE_DIR "/tests/data/link-table.csv")).status !=
        LoadResult::Status::Loaded) {
        std::fprintf(stderr, "link-bench: cannot load the test catalogue\n");
        return 2;
    }
    // Members of kinds 1 to 3, whose keys end each row at the start of the next one.
    std::vector<std::pair<qint16, qint16>> members;
    for (qint16 g = 1; g <= 3; ++g) {
        for (qint16 m = 1; m <= catalogue.GroupMemberCount[g]; ++m)
            members.emplace_back(g, m);
    }

    StandInProcess standIn;
    if (!standIn.start(QString::fromLatin1(StandInProcess::kDefaultTitle), kTransfers + 5)) {
        std::fprintf(stderr, "link-bench: %s\n", qPrintable(standIn.error));
        return 2;
    }
    X11TransferSink sink;
    SilentView view;
    SpreadsheetLink link(sink, view);
    link.TransferEnabled = true;
    link.mnuT_Click();

    std::vector<qint64> times;
    QElapsedTimer clock;
    for (int i = 0; i < kTransfers; ++i) {
        const auto [g, m] = members[std::size_t(i) % members.size()];
        clock.start();
        link.TransferToSpreadsheet(catalogue, g, m);
        times.push_back(clock.elapsed());
    }

    // The last member's closing keys go without wait; let them arrive.
    const QString lastCell = QStringLiteral("A%1").arg(kTransfers + 1);
    clock.start();
    while (standIn.grid().value(QStringLiteral("cursor")) != lastCell && clock.elapsed() < kSettleTimeoutMs)
        PumpEventsFor(50);
    const QMap<QString, QString> grid = standIn.grid();

    int wrong = 0;
    for (int i = 0; i < kTransfers; ++i) {
        const auto [g, m] = members[std::size_t(i) % members.size()];
        QStringList expected = TableRowText(catalogue, g, m).split(u'\t');
        expected << catalogue.WeightFormula << catalogue.AreaFormula;
        bool same = true;
        for (int column = 0; column < expected.size(); ++column) {
            const QString cell = QChar(u'A' + column) + QString::number(i + 1);
            same = same && grid.value(cell) == expected[column];
        }
        wrong += same ? 0 : 1;
    }

    std::vector<qint64> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    const double median = double(sorted[sorted.size() / 2] + sorted[(sorted.size() - 1) / 2]) / 2;
    const int floorMs = 3 * StandInWindow::kLastTextFetchMs;
    std::printf("transfers                %d\n", kTransfers);
    std::printf("rows arrived wrong       %d\n", wrong);
    std::printf("keys ignored by target   %s\n", qPrintable(grid.value(QStringLiteral("ignored"))));
    std::printf("final cell               %s (expected %s)\n",
                qPrintable(grid.value(QStringLiteral("cursor"))), qPrintable(lastCell));
    std::printf("median ms per member     %.0f (fastest %lld, slowest %lld)\n", median,
                static_cast<long long>(sorted.front()), static_cast<long long>(sorted.back()));
    std::printf("floor: stand-in's fetch  %d ms per member\n", floorMs);
    std::printf("beyond the floor         %.0f ms (goal <= 250), ratio to floor %.2f\n", median - floorMs,
                median / floorMs);
    std::printf("messages                 %lld\n", static_cast<long long>(view.messages.size()));
    return wrong == 0 ? 0 : 1;
}

// 100 table-form transfers in a row into the stand-in spreadsheet, made by the real zelk.exe under
// Wine as a user makes them: zelk's window is clicked, then Down in the member list chooses the
// next member. Reports how many rows arrived wrong (goal: 0) and the median time per member, from
// the key press until the member's row is in the grid and the cursor on the next row, against its
// floor, the stand-in's own fetch delays (three pastes, each finished only at its last fetch, 200 ms
// after its keystroke). Exits non-zero when a row arrived wrong.
#include "catalogue/LoadCatalogue.h"
#include "link/MemberTexts.h"
#include "win32/ProgramHarness.h"

#include <chrono>
#include <cstdio>

namespace {

constexpr int kTransfers = 100;

// The link settings of the test catalogue and one group of kind 1 (whose keys end each row at the
// start of the next one) with a member for every transfer.
bool writeBenchCatalogue(const std::filesystem::path& path) {
    std::ifstream source(ZELK_SOURCE_DIR "/tests/data/link-table.csv", std::ios::binary);
    std::ofstream out(path, std::ios::binary);
    std::string line;
    for (int i = 0; i < 11 && std::getline(source, line); ++i)
        out << line << '\n';
    out << "BENCH,1," << kTransfers << "\r\n";
    for (int i = 0; i < kTransfers; ++i) {
        char member[80];
        std::snprintf(member, sizeof member, "H-%dx100x6x8,R%d,%.2f,%.1f\r\n", 100 + i, i % 7, 10 + i * 0.25,
                      30 + i * 0.5);
        out << member;
    }
    out << "/*\r\n";
    return bool(out);
}

std::string cell(int column, int row) {
    return std::string(1, char('A' + column)) + std::to_string(row);
}

} // namespace

int main() {
    wchar_t temporary[MAX_PATH];
    GetTempPathW(MAX_PATH, temporary);
    const std::filesystem::path path = std::filesystem::path(temporary) / "zelk-link-bench.csv";
    Catalogue catalogue;
    if (!writeBenchCatalogue(path) || LoadCatalogue(catalogue, path).status != LoadResult::Status::Loaded) {
        std::fprintf(stderr, "link-bench: cannot write and load the benchmark's catalogue\n");
        return 2;
    }
    StandIn standIn("Microsoft Excel - Book1");
    if (!standIn.window()) {
        std::fprintf(stderr, "link-bench: the stand-in spreadsheet did not start\n");
        return 2;
    }
    Zelk zelk(path.string());
    if (!zelk.window()) {
        std::fprintf(stderr, "link-bench: zelk.exe did not start\n");
        return 2;
    }

    std::vector<double> times;
    for (int i = 0; i < kTransfers; ++i) {
        // The first member is chosen with the first key in the list, after Tab from the group box.
        if (!zelk.activate()) {
            std::fprintf(stderr, "link-bench: zelk did not come forward\n");
            return 2;
        }
        if (i == 0)
            zelk.type("Tab");
        // Pressed and released at once: the time a user holds the key is not the program's.
        const auto start = std::chrono::steady_clock::now();
        userInput(VK_DOWN, 0, 1);
        userInput(VK_DOWN, KEYEVENTF_KEYUP, 1);
        if (!pumpUntil([&] {
                std::map<std::string, std::string> now = standIn.grid();
                return now["cursor"] == cell(0, i + 2) && now["pastes"] == std::to_string(3 * (i + 1));
            })) {
            std::fprintf(stderr, "link-bench: transfer %d did not arrive\n", i + 1);
            return 1;
        }
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }

    std::map<std::string, std::string> grid = standIn.grid();
    int wrong = 0;
    for (int i = 0; i < kTransfers; ++i) {
        const auto m = std::int16_t(i + 1);
        std::u16string expected =
            TableRowText(catalogue, 1, m) + u'\t' + catalogue.WeightFormula + u'\t' + catalogue.AreaFormula;
        bool same = true;
        for (int column = 0; !expected.empty() || column < 7; ++column) {
            const std::size_t tab = expected.find(u'\t');
            const std::u16string field = expected.substr(0, tab);
            expected = tab == std::u16string::npos ? u"" : expected.substr(tab + 1);
            same = same && (field.empty() || grid[cell(column, i + 1)] == toUtf8(field));
        }
        wrong += same ? 0 : 1;
    }
    std::sort(times.begin(), times.end());
    const double median = (times[times.size() / 2] + times[(times.size() - 1) / 2]) / 2;
    const int floorMs = 3 * kStandInLastFetchMs;
    std::printf("transfers                %d (through zelk.exe, one Down key each)\n", kTransfers);
    std::printf("rows arrived wrong       %d\n", wrong);
    std::printf("median ms per member     %.1f (fastest %.1f, slowest %.1f)\n", median, times.front(),
                times.back());
    std::printf("floor: stand-in's fetch  %d ms per member\n", floorMs);
    std::printf("beyond the floor         %.1f ms (goal <= 60)\n", median - floorMs);
    std::filesystem::remove(path);
    return wrong == 0 ? 0 : 1;
}

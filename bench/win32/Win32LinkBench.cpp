// Table-form transfers in a row into the stand-in spreadsheet, made by the real zelk.exe under Wine
// as a user makes them: zelk's window is clicked, then Down in the member list chooses the next
// member. Reports how many rows arrived wrong (goal: 0) and the median time per member, from the
// key press until the member's row is in the grid and the cursor on the next row, against its
// floor, the stand-in's own fetch delays (three pastes, each finished only at its last fetch).
// Exits non-zero when a row arrived wrong.
//
// Usage: win32-link-bench.exe [--transfers N] [--fetches PATTERN] [--load]
//   --transfers N      N transfers (default 100), in rounds of at most 100, each with a new zelk.exe
//                      and a new stand-in: a sheet of thousands of cells would slow the stand-in
//   --fetches PATTERN  the stand-in's fetches of each paste, as "later:100,400" or "inside:100,400"
//                      (support/StandInGrid.h; default later:100,200)
//   --load             two busy processes per core beside, started and stopped here
#include "catalogue/LoadCatalogue.h"
#include "link/MemberTexts.h"
#include "win32/ProgramHarness.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

constexpr int kRoundTransfers = 100;

// The link settings of the test catalogue and one group of kind 1 (whose keys end each row at the
// start of the next one) with a member for every transfer of a round.
bool writeBenchCatalogue(const std::filesystem::path& path) {
    std::ifstream source(ZELK_SOURCE_DIR "/tests/data/link-table.csv", std::ios::binary);
    std::ofstream out(path, std::ios::binary);
    std::string line;
    for (int i = 0; i < 11 && std::getline(source, line); ++i)
        out << line << '\n';
    out << "BENCH,1," << kRoundTransfers << "\r\n";
    for (int i = 0; i < kRoundTransfers; ++i) {
        char member[80];
        std::snprintf(member, sizeof member, "H-%dx100x6x8,R%d,%.2f,%.1f\r\n", 100 + i, i % 7, 10 + i * 0.25,
                      30 + i * 0.5);
        out << member;
    }
    out << "/*\r\n";
    return bool(out);
}

// Under Wine, each time the stand-in's grid file could not be replaced (the benchmark was reading
// it), ReplaceFileW leaves a file "rf*.tmp" in the temporary folder, and thousands of them make
// every later replace slow: a thousand transfers would measure that. They are cleared after each
// round.
void clearWineLeftovers(const std::filesystem::path& temporary) {
    if (!GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
        return;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(temporary, error)) {
        const std::wstring name = entry.path().filename().wstring();
        if (name.starts_with(L"rf") && name.ends_with(L".tmp"))
            std::filesystem::remove(entry.path(), error);
    }
}

std::string cell(int column, int row) {
    return std::string(1, char('A' + column)) + std::to_string(row);
}

struct Round {
    int wrong = 0;
    std::vector<double> times;
    const char* error = nullptr; // set when the round could not be run to its end
};

// One round of `transfers` transfers through a new zelk.exe into a new stand-in.
Round runRound(const Catalogue& catalogue, const std::filesystem::path& path, const std::string& fetches,
               int transfers) {
    Round round;
    StandIn standIn("Microsoft Excel - Book1", fetches);
    if (!standIn.window())
        return round.error = "the stand-in spreadsheet did not start", round;
    Zelk zelk(path.string());
    if (!zelk.window())
        return round.error = "zelk.exe did not start", round;
    for (int i = 0; i < transfers; ++i) {
        // The first member is chosen with the first key in the list, after Tab from the group box.
        // On a loaded machine a click now and then takes longer than one activation waits for:
        // clicked again a few times before the round gives up.
        bool forward = false;
        for (int tries = 0; tries < 6 && !forward; ++tries)
            forward = zelk.activate();
        if (!forward)
            return round.error = "zelk did not come forward", round;
        if (i == 0)
            zelk.type("Tab");
        // Pressed and released at once: the time a user holds the key is not the program's.
        const auto start = std::chrono::steady_clock::now();
        userInput(VK_DOWN, 0, 1);
        userInput(VK_DOWN, KEYEVENTF_KEYUP, 1);
        if (!pumpUntil(
                [&] {
                    std::map<std::string, std::string> now = standIn.grid();
                    return now["cursor"] == cell(0, i + 2) && now["pastes"] == std::to_string(3 * (i + 1));
                },
                60000))
            return round.error = "a transfer did not arrive", round;
        round.times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::map<std::string, std::string> grid = standIn.grid();
    for (int i = 0; i < transfers; ++i) {
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
        round.wrong += same ? 0 : 1;
    }
    return round;
}

} // namespace

int main(int argc, char* argv[]) {
    int transfers = kRoundTransfers;
    std::string fetches;
    bool load = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--busy") { // one of the load's processes: it spins until it is ended
            volatile unsigned spin = 0;
            for (;;)
                spin = spin + 1u;
        }
        if (option == "--load") {
            load = true;
        } else if (option == "--transfers" && i + 1 < argc) {
            transfers = std::max(1, std::atoi(argv[++i]));
        } else if (option == "--fetches" && i + 1 < argc) {
            fetches = argv[++i];
        } else {
            std::fprintf(stderr,
                         "usage: win32-link-bench.exe [--transfers N] [--fetches PATTERN] [--load]\n");
            return 2;
        }
    }
    wchar_t temporary[MAX_PATH];
    GetTempPathW(MAX_PATH, temporary);
    const std::filesystem::path path = std::filesystem::path(temporary) / "zelk-link-bench.csv";
    Catalogue catalogue;
    if (!writeBenchCatalogue(path) || LoadCatalogue(catalogue, path).status != LoadResult::Status::Loaded) {
        std::fprintf(stderr, "link-bench: cannot write and load the benchmark's catalogue\n");
        return 2;
    }

    // The load: processes that never wait, two for each core, ended with the benchmark.
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const int busyCount = load ? 2 * int(system.dwNumberOfProcessors) : 0;
    std::vector<std::unique_ptr<Program>> busy;
    for (int i = 0; i < busyCount; ++i)
        busy.push_back(std::make_unique<Program>(L"win32-link-bench.exe", L"--busy"));

    std::vector<double> times;
    int wrong = 0;
    const auto wallStart = std::chrono::steady_clock::now();
    for (int done = 0; done < transfers; done += kRoundTransfers) {
        clearWineLeftovers(temporary);
        const Round round = runRound(catalogue, path, fetches, std::min(kRoundTransfers, transfers - done));
        if (round.error) {
            std::fprintf(stderr, "link-bench: round from transfer %d: %s\n", done + 1, round.error);
            return 2;
        }
        wrong += round.wrong;
        times.insert(times.end(), round.times.begin(), round.times.end());
    }
    const double wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();

    std::sort(times.begin(), times.end());
    const double median = (times[times.size() / 2] + times[(times.size() - 1) / 2]) / 2;
    const FetchPattern pattern = fetchPattern(fetches);
    const int floorMs = 3 * pattern.times.back();
    std::printf("transfers                %d (through zelk.exe, one Down key each, rounds of %d)\n",
                transfers, kRoundTransfers);
    if (load)
        std::printf("machine                  loaded: %d busy processes\n", busyCount);
    else
        std::printf("machine                  not loaded\n");
    std::printf("stand-in fetches         %s at", pattern.inside ? "inside the paste command" : "later");
    for (const int at : pattern.times)
        std::printf(" %d", at);
    std::printf(" ms\n");
    std::printf("rows arrived wrong       %d\n", wrong);
    std::printf("median ms per member     %.1f (fastest %.1f, slowest %.1f)\n", median, times.front(),
                times.back());
    std::printf("floor: stand-in's fetch  %d ms per member\n", floorMs);
    std::printf("beyond the floor         %.1f ms (goal <= 60)\n", median - floorMs);
    std::printf("wall time                %.0f s\n", wallSeconds);
    std::filesystem::remove(path);
    return wrong == 0 ? 0 : 1;
}

// When the waits for a paste (paste-waits.tsv) and for a condition end, on a clock that the wait
// itself moves on.
#include "link/TransferWaits.h"
#include "support/TestFiles.h"

namespace {

class FakeClock final : public WaitClock {
public:
    std::int64_t now = 1000;
    std::int64_t milliseconds() const override { return now; }
};

} // namespace

TEST(PasteWatch, endsEachWaitAsTheCaseSays) {
    for (const auto& row : readTable("tests/link/paste-waits.tsv")) {
        SCOPED_TRACE(row[0]);
        FakeClock clock;
        PasteWatch watch(clock);
        std::vector<std::string> ends;
        std::vector<int> times;
        std::int64_t sentAt = 0;
        // The spreadsheet of the row as the sink sees it at the clock's time.
        const auto seen = [&] {
            PasteWatch::Seen now;
            for (const int time : times) {
                if (sentAt + time <= clock.now)
                    now = {now.fetches + 1, sentAt + time, false, std::max(0, now.fetches)};
            }
            const bool inside = row[1] == "inside";
            const bool all = now.fetches == int(times.size());
            now.answered = now.fetches > 0 && (!inside || all) && clock.now >= now.lastAt + (inside ? 10 : 1);
            now.afterAnswer = inside ? 0 : now.afterAnswer;
            return now;
        };
        const auto never = [] { return false; };
        for (const std::string& paste : split(row[2], '|')) {
            if (!ends.empty() && watch.wait([] {}, seen, never) == PasteWatch::State::Unexplained)
                ends.back() += " unexplained";
            times.clear();
            int stopAt = 0;
            for (const std::string& time : paste == "-" ? std::vector<std::string>() : split(paste, ','))
                time[0] == 's' ? void(stopAt = std::stoi(time.substr(1))) : times.push_back(std::stoi(time));
            sentAt = clock.now;
            watch.pasted(sentAt);
            const PasteWatch::State end = watch.wait(
                [&] { ++clock.now; }, seen, [&] { return stopAt > 0 && clock.now - sentAt >= stopAt; });
            ends.push_back(end == PasteWatch::State::Over         ? std::to_string(clock.now - sentAt)
                           : end == PasteWatch::State::NotFetched ? "unfetched"
                                                                  : "stopped");
            clock.now = sentAt + 10000; // the next paste comes after every fetch of this one
        }
        if (watch.wait([] {}, seen, never) == PasteWatch::State::Unexplained)
            ends.back() += " unexplained";
        EXPECT_EQ(ends, split(row[3], '|'));
    }
}

// The plain wait: over as soon as its condition holds, or false once its time is up.
TEST(WaitUntil, endsWhenDoneOrAtTheTimeout) {
    FakeClock clock;
    const auto tick = [&clock] { ++clock.now; };
    EXPECT_FALSE(waitUntil(
        clock, tick, [] { return false; }, 1000));
    EXPECT_EQ(clock.now, 2000);
    EXPECT_TRUE(waitUntil(
        clock, tick, [&clock] { return clock.now == 2010; }, 1000));
    EXPECT_EQ(clock.now, 2010);
}

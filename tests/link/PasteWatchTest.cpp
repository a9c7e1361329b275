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
        PasteWatch watch(clock, std::stoi(row[2]));
        std::vector<std::string> ends;
        int previousInAll = 0;
        for (const std::string& paste : split(row[1], '|')) {
            // "100,200": a fetch 100 ms and one 200 ms after the paste keystroke; "-": none; "s50"
            // first: the sink stops the wait from 50 ms on.
            std::vector<std::string> times = paste == "-" ? std::vector<std::string>() : split(paste, ',');
            const int stopAt = !times.empty() && times[0][0] == 's' ? std::stoi(times[0].substr(1)) : 0;
            if (stopAt > 0)
                times.erase(times.begin());
            const std::int64_t sentAt = clock.now;
            const auto fetches = [&] {
                PasteWatch::Fetches seen;
                for (const std::string& time : times) {
                    if (sentAt + std::stoi(time) <= clock.now)
                        seen = {seen.count + 1, sentAt + std::stoi(time)};
                }
                return seen;
            };
            const bool fetched = watch.wait(
                sentAt, previousInAll, [&] { ++clock.now; }, fetches,
                [&] { return stopAt > 0 && clock.now - sentAt >= stopAt; });
            ends.push_back(std::to_string(clock.now - sentAt) + (fetched ? "" : " unfetched"));
            previousInAll = int(times.size());
            clock.now = sentAt + 10000; // the next paste comes after every fetch of this one
        }
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

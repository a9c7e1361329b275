// When the wait for a paste ends (paste-waits.tsv), on a clock that the wait itself moves on.
#include "link/TransferWaits.h"
#include "support/TestFiles.h"

namespace {

class FakeClock final : public WaitClock {
public:
    std::int64_t now = 1000;
    std::int64_t milliseconds() const override { return now; }
};

// "100,200" or "-"; "s50" among them: the sink stops the wait from 50 ms on.
std::vector<int> fetchTimes(const std::string& text, int& stopAt) {
    std::vector<int> times;
    stopAt = 0;
    for (const std::string& time : split(text, ',')) {
        if (time[0] == 's')
            stopAt = std::stoi(time.substr(1));
        else if (time != "-")
            times.push_back(std::stoi(time));
    }
    return times;
}

} // namespace

TEST(PasteWatch, endsEachWaitAsTheCaseSays) {
    for (const auto& row : readTable("tests/link/paste-waits.tsv")) {
        SCOPED_TRACE(row[0]);
        FakeClock clock;
        PasteWatch watch(clock, std::stoi(row[2]));
        std::vector<std::string> ends;
        int previousInAll = 0;
        for (const std::string& paste : split(row[1], '|')) {
            int stopAt = 0;
            const std::vector<int> times = fetchTimes(paste, stopAt);
            const std::int64_t sentAt = clock.now;
            const auto fetches = [&] {
                PasteWatch::Fetches seen;
                for (const int time : times) {
                    if (sentAt + time <= clock.now)
                        seen = {seen.count + 1, sentAt + time};
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

#include "TransferWaits.h"

#include <algorithm>
#include <chrono>

std::int64_t SteadyWaitClock::milliseconds() const {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
}

bool waitUntil(const WaitClock& clock, const std::function<void()>& pump, const std::function<bool()>& done,
               int timeoutMs) {
    const std::int64_t start = clock.milliseconds();
    while (!done()) {
        if (clock.milliseconds() - start >= timeoutMs)
            return false;
        pump();
    }
    return true;
}

PasteWatch::PasteWatch(const WaitClock& clock, int settleMs) : m_clock(clock), m_settleMs(settleMs) {}

void PasteWatch::forget() {
    m_pastesWatched = 0;
    m_learnedFetches = 0;
}

bool PasteWatch::wait(std::int64_t sentAt, int previousInAll, const std::function<void()>& pump,
                      const std::function<Fetches()>& fetches, const std::function<bool()>& stop) {
    if (m_pastesWatched > 0)
        m_learnedFetches = std::max(m_learnedFetches, previousInAll);
    const bool trusted = m_pastesWatched >= kLearningPastes && m_learnedFetches > 0;
    Fetches seen;
    for (;;) {
        seen = fetches();
        const std::int64_t now = m_clock.milliseconds();
        if (seen.count == 0) {
            if (now - sentAt >= kFirstFetchTimeoutMs)
                break;
        } else {
            const int quietMs = trusted && seen.count >= m_learnedFetches ? m_settleMs : kLearningQuietMs;
            if (now - seen.lastAt >= quietMs || now - sentAt >= kPasteTimeoutMs)
                break;
        }
        if (stop && stop())
            return false;
        pump();
    }
    m_learnedFetches = std::max(m_learnedFetches, seen.count);
    ++m_pastesWatched;
    return seen.count > 0;
}

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

void PasteWatch::forget() {
    m_learned = 0;
    m_fetchesPerPaste = 0;
    m_fetchesLater = false;
    m_following = false;
}

void PasteWatch::pasted(std::int64_t sentAt) {
    m_following = true;
    m_sentAt = sentAt;
    m_end.reset();
}

void PasteWatch::restarted(std::int64_t now) {
    m_following = true;
    m_sentAt = now;
    m_end.reset();
}

PasteWatch::State PasteWatch::state(const Seen& seen) {
    if (!m_following)
        return State::Over;
    if (m_end)
        return m_countEnded && seen.fetches > m_fetchesAtEnd ? State::Unexplained : *m_end;
    const std::int64_t now = m_clock.milliseconds();
    if (seen.fetches == 0)
        return now - m_sentAt >= kFirstFetchTimeoutMs ? end(State::NotFetched, seen, false) : State::Fetching;
    if (now - m_sentAt >= kPasteTimeoutMs) // the link allows no fetch later than this
        return end(State::Over, seen, true);
    const bool quiet = now - seen.lastAt >= kQuietMs;
    if (m_learned < kLearningPastes)
        return seen.answered && quiet ? end(State::Over, seen, true) : State::Fetching;
    if (m_fetchesLater || seen.afterAnswer > 0) // its answers say nothing: the count does
        return seen.fetches >= m_fetchesPerPaste || quiet ? end(State::Over, seen, true) : State::Fetching;
    return seen.answered ? end(State::Over, seen, true) : State::Fetching;
}

PasteWatch::State PasteWatch::end(State how, const Seen& seen, bool byPattern) {
    m_end = how;
    m_fetchesAtEnd = seen.fetches;
    m_countEnded = byPattern;
    if (byPattern) {
        ++m_learned;
        m_fetchesPerPaste = std::max(m_fetchesPerPaste, seen.fetches);
        m_fetchesLater = m_fetchesLater || seen.afterAnswer > 0;
    }
    return how;
}

PasteWatch::State PasteWatch::wait(const std::function<void()>& pump, const std::function<Seen()>& seen,
                                   const std::function<bool()>& stop) {
    State now = State::Fetching;
    while ((now = state(seen())) == State::Fetching) {
        if (stop())
            return now;
        pump();
    }
    if (now == State::Unexplained)
        forget();
    else if (now == State::NotFetched)
        m_following = false;
    return now;
}

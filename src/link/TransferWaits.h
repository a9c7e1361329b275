#pragma once

#include <cstdint>
#include <functional>

// The waits of a transfer, the same on every platform; each sink supplies only the platform's
// side: running its events for a moment, counting the spreadsheet's fetches, the keyboard's state.
// Every wait is bounded, and the sinks run their events (the clipboard's requests, the windows'
// paints) while they wait, so the program stays alive and the spreadsheet served.

// How long the link waits for each thing.
inline constexpr int kClipboardBusyTimeoutMs = 1000; // another program holding the clipboard open
inline constexpr int kFocusTimeoutMs = 1000;         // the focus to arrive at the spreadsheet
inline constexpr int kFirstFetchTimeoutMs = 3000;    // the spreadsheet's first fetch after a paste
inline constexpr int kPasteTimeoutMs = 5000;         // a paste whose fetches never stop
// How long the activation waits for the user to let go of the keys (longer means a key held down
// on purpose, say to run through the list, which must not stop the transfer).
inline constexpr int kHeldKeysTimeoutMs = 1000;

// Milliseconds on a steady clock. The sinks use the system's; tests drive a clock of their own.
class WaitClock {
public:
    virtual ~WaitClock() = default;
    virtual std::int64_t milliseconds() const = 0;
};

class SteadyWaitClock final : public WaitClock {
public:
    std::int64_t milliseconds() const override;
};

// Runs `pump` (the platform's events for a moment) until `done` holds or `timeoutMs` has passed.
// True when `done` held.
bool waitUntil(const WaitClock& clock, const std::function<void()>& pump, const std::function<bool()>& done,
               int timeoutMs);

// When a paste is over. A spreadsheet fetches the pasted text late and more than once and pastes
// what it got last, so the first fetch is too early to change the clipboard again. The first
// pastes into a window wait until no fetch has come for a long quiet time, and learn how many
// fetches a paste brings; later pastes are over shortly after that many have come. Fetches that a
// paste brings after it was taken as over raise the learned number for the next one.
class PasteWatch {
public:
    // The fetches of the paste being watched, as the sink has seen them.
    struct Fetches {
        int count = 0;           // the spreadsheet's fetches of the text since the paste keystroke
        std::int64_t lastAt = 0; // when the last fetch came, on the watch's clock
    };

    // Pastes watched with the long quiet time before the learned number of fetches is trusted.
    static constexpr int kLearningPastes = 3;
    // Longer than the gaps between the fetches of one paste (a real spreadsheet leaves ~100 ms).
    static constexpr int kLearningQuietMs = 250;

    // `settleMs`: once the learned number of fetches has come, the time the sink gives the
    // spreadsheet to be done with the last one.
    PasteWatch(const WaitClock& clock, int settleMs);

    // A new target window: what was learnt of the last one does not hold for it.
    void forget();

    // Waits out the paste keystroke sent at `sentAt`: runs `pump` until the spreadsheet has fetched
    // the text and stopped fetching, or until kFirstFetchTimeoutMs has passed without a fetch, or
    // kPasteTimeoutMs in all. `previousInAll` is how many fetches the paste before this one into the
    // same window brought in the end, late ones included (ignored for the first). False when the
    // spreadsheet never fetched the text. `stop`, asked whenever the wait would go on (the window
    // has gone, the spreadsheet stopped answering), ends it at once with false; such a wait teaches
    // nothing about the window's fetches.
    bool wait(std::int64_t sentAt, int previousInAll, const std::function<void()>& pump,
              const std::function<Fetches()>& fetches, const std::function<bool()>& stop = {});

private:
    const WaitClock& m_clock;
    int m_settleMs;
    int m_pastesWatched = 0;
    int m_learnedFetches = 0;
};

#pragma once

#include <cstdint>
#include <functional>
#include <optional>

// The waits of a transfer, the same on every platform; each sink supplies only the platform's
// side: running its events for a moment, counting the spreadsheet's fetches, the keyboard's state.
// Every wait is bounded, and the sinks run their events (the clipboard's requests, the windows'
// paints) while they wait, so the program stays alive and the spreadsheet served.

// How long the link waits for each thing.
inline constexpr int kClipboardBusyTimeoutMs = 1000; // another program holding the clipboard open
inline constexpr int kFocusTimeoutMs = 1000;         // the focus to arrive at the spreadsheet
inline constexpr int kFirstFetchTimeoutMs = 3000;    // the spreadsheet's first fetch after a paste
inline constexpr int kPasteTimeoutMs = 5000;         // the last fetch of a paste
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

// When a paste is over, that is, when the next paste keystroke may go. The sinks give every fetch
// the spreadsheet makes before that keystroke the text of this paste, whatever the transfer has
// put on the clipboard since; the one thing to know is whether the spreadsheet may still fetch this
// paste after the next keystroke, where its fetch could not be told from one of the next paste.
//
// What the sink sees: the spreadsheet's fetches of the text, and whether it has answered a message
// sent after the last of them. A spreadsheet that fetches only while it handles the paste
// keystroke answers such a message only once it has handled it: the answer ends the paste, however
// slowly it went. One that fetches again later, from its event loop, answers in between, and only
// the number of its fetches tells. So the first paste into a window is waited for until no fetch
// has come for kQuietMs, longer than the link allows between two fetches of one paste, or to the
// end of kPasteTimeoutMs, when it allows none any more: that shows how many fetches a paste brings
// and whether one ever comes after an answer. Later pastes end at the answer to the last fetch,
// or, into a spreadsheet of the second kind, once the learned number of fetches has come: a count,
// which a busy machine, stretching the gaps, cannot cut short. Fewer fetches than learned fall
// back on the quiet time.
//
// A fetch that comes after its paste was taken as over, before the next paste keystroke, gets the
// right text; but it shows that the spreadsheet fetches more than it has learned, and pastes ended
// by that count may have given their last fetch to the next paste: the wait reports it once, and
// the window's pattern is learnt anew.
class PasteWatch {
public:
    // What the sink has seen of the paste followed.
    struct Seen {
        int fetches = 0;         // the spreadsheet's fetches of its text, from the keystroke on
        std::int64_t lastAt = 0; // when the last came, on the watch's clock
        // It has answered a message sent after its last fetch (true where it cannot be asked).
        bool answered = false;
        // Fetches that came after it had answered a message sent after the fetch before.
        int afterAnswer = 0;
    };
    enum class State {
        Fetching,   // the spreadsheet may still fetch the paste
        Over,       // the next paste may go
        NotFetched, // not fetched within kFirstFetchTimeoutMs
        Unexplained // fetched again after it was taken as over
    };

    // The pastes watched with the quiet time before what they showed is trusted.
    static constexpr int kLearningPastes = 1;
    // Longer than the link allows between two fetches of one paste.
    static constexpr int kQuietMs = 3000;

    explicit PasteWatch(const WaitClock& clock) : m_clock(clock) {}

    // A new target window: what was learnt of the last one does not hold for it.
    void forget();
    // Follows the paste whose keystroke went at `sentAt`, until the next one.
    void pasted(std::int64_t sentAt);
    // The spreadsheet stalled before it fetched the paste followed last: it is followed again, its
    // first fetch waited for from `now` on.
    void restarted(std::int64_t now);
    bool following() const { return m_following; }

    // Where the paste followed stands (Over when none is followed).
    State state(const Seen& seen);
    // Runs `pump` until the paste followed is no longer Fetching, or until `stop` holds (the window
    // has gone, the spreadsheet stopped answering), and returns where it stands. NotFetched and
    // Unexplained are reported once: the paste is no longer followed.
    State wait(const std::function<void()>& pump, const std::function<Seen()>& seen,
               const std::function<bool()>& stop);

private:
    const WaitClock& m_clock;
    int m_learned = 0;           // pastes watched to their end with the quiet time
    int m_fetchesPerPaste = 0;   // the most fetches a paste has brought
    bool m_fetchesLater = false; // a fetch has come after an answer
    bool m_following = false;
    std::int64_t m_sentAt = 0;
    std::optional<State> m_end; // how the paste followed ended, once it has
    int m_fetchesAtEnd = 0;
    bool m_countEnded = false; // it ended by its fetches, so further ones are unexplained

    State end(State how, const Seen& seen, bool byPattern);
};

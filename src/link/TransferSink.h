#pragma once

#include "KeySequence.h"

#include <string>

// Why a step of a transfer did not happen. A transfer stops at the first step that reports one;
// nothing after it is sent.
enum class TransferFault {
    None,
    NoWindow,      // no spreadsheet window to bring forward: the transfer ends without a word
    ClipboardBusy, // another program kept the clipboard open for longer than the link waits
    NotFocused,    // the spreadsheet's window does not have the keyboard focus
    NotFetched,    // the spreadsheet did not fetch the text pasted into it in time
    FetchedLate,   // it fetched a paste again after the link had taken it as over: rows may be wrong
    NotResponding, // the spreadsheet stopped handling its input
    WindowClosed,  // the spreadsheet's window has gone
};

// What the spreadsheet transfer needs of the platform: bring the spreadsheet's window forward,
// the clipboard, and keystrokes into that window. The transfer logic uses nothing else, so that it
// runs against the X11 and Windows realisations and against a recording.
class TransferSink {
public:
    virtual ~TransferSink() = default;

    // Brings forward a top-level window whose title is `title`, else one whose title begins with
    // it; NoWindow when there is no such window. That window is the transfer's target from now on:
    // the other operations act on it and fail when it has gone or lost the focus.
    [[nodiscard]] virtual TransferFault AppActivate(const std::u16string& title) = 0;

    // Empties the system clipboard.
    [[nodiscard]] virtual TransferFault ClipboardClear() = 0;

    // Puts `text` on the clipboard as plain text.
    [[nodiscard]] virtual TransferFault ClipboardSetText(const std::u16string& text) = 0;

    // Types `keys` into the target window, and into no other: when the target does not have the
    // focus, nothing is sent. With `wait`, the window handles them before anything the next call
    // does: a sink waits before returning, or, where the window takes keys in order, at the next
    // call that needs them handled, which then reports what went wrong with them. A paste is
    // handled once the spreadsheet will fetch it no more: until the next paste keystroke its
    // fetches get its text, whatever has been put on the clipboard since, so the next paste
    // keystroke (or the next activation) is what waits for it.
    // Without `wait`, returns once they are sent.
    [[nodiscard]] virtual TransferFault SendKeys(const KeySequence& keys, bool wait) = 0;
};

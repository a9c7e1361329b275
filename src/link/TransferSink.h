#pragma once

#include "KeySequence.h"

#include <string>

// What the spreadsheet transfer needs of the platform: bring the spreadsheet's window forward,
// the clipboard, and keystrokes into the foreground window. The transfer logic uses nothing else,
// so that it runs against the X11 and Windows realisations and against a recording.
class TransferSink {
public:
    virtual ~TransferSink() = default;

    // Brings forward a top-level window whose title is `title`, else one whose title begins with it.
    // False when there is no such window.
    virtual bool AppActivate(const std::u16string& title) = 0;

    // Empties the system clipboard.
    virtual void ClipboardClear() = 0;

    // Puts `text` on the clipboard as plain text.
    virtual void ClipboardSetText(const std::u16string& text) = 0;

    // Types `keys` into the foreground window. With `wait`, that window handles them before
    // anything the next call does (for a paste: it has fetched the clipboard before the clipboard
    // changes again): a sink waits before returning, or, where the window takes keys in order, at
    // the next call that would change the clipboard or the window. Without `wait`, returns once
    // they are sent.
    virtual void SendKeys(const KeySequence& keys, bool wait) = 0;
};

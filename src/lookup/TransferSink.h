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

    // Types `keys` into the foreground window. With `wait`, returns once that window has handled
    // them (for a paste: has fetched the clipboard); without it, returns once they are sent.
    virtual void SendKeys(const KeySequence& keys, bool wait) = 0;
};

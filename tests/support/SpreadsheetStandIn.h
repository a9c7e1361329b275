#pragma once
// The spreadsheet as a transfer reaches it: each paste with the clipboard text that it fetched,
// each other keystroke text as typed, and the clipboard as the transfer leaves it.
#include "link/TransferSink.h"
#include "support/TestFiles.h"

#include <optional>

class SpreadsheetStandIn : public TransferSink {
public:
    bool running = true; // whether there is a spreadsheet window to bring forward
    std::string activatedTitle;
    std::vector<std::string> received;
    std::optional<std::string> clipboard;

    bool AppActivate(const std::u16string& title) override { return activatedTitle = u8(title), running; }
    void ClipboardClear() override { clipboard.reset(), fetchPaste(); }
    void ClipboardSetText(const std::u16string& text) override { clipboard = u8(text), fetchPaste(); }
    void SendKeys(const KeySequence& keys, bool wait) override {
        if (keys.text != u"^v")
            received.push_back("keys " + u8(keys.text));
        else if (m_pastePending = true; wait)
            fetchPaste();
    }

private:
    // A paste sent without waiting is handled whenever the spreadsheet gets to it: here, after
    // the next change of the clipboard.
    void fetchPaste() {
        if (m_pastePending)
            received.push_back("paste " + clipboard.value_or("(empty clipboard)"));
        m_pastePending = false;
    }
    bool m_pastePending = false;
};

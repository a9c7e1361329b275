#pragma once

#include "TransferSink.h"
#include "base/Text.h"

#include <optional>
#include <string>
#include <vector>

// The link's test double, beside the platforms' sinks: it records the spreadsheet as a transfer
// reaches it, each paste with the clipboard text that it fetched, each other keystroke text as
// typed, and the clipboard as the transfer leaves it. A call can be made to fail: that call does
// nothing and reports the fault.
class RecordingTransferSink final : public TransferSink {
public:
    bool running = true; // whether there is a spreadsheet window to bring forward
    std::string activatedTitle;
    std::vector<std::string> received;
    std::optional<std::string> clipboard;
    // The call (counted from 1 over all four operations) that fails, and how.
    int failingCall = 0;
    TransferFault fault = TransferFault::None;

    TransferFault AppActivate(const std::u16string& title) override {
        activatedTitle = toUtf8(title);
        return failed() ? fault : running ? TransferFault::None : TransferFault::NoWindow;
    }
    TransferFault ClipboardClear() override {
        if (failed())
            return fault;
        return clipboard.reset(), fetchPaste(), TransferFault::None;
    }
    TransferFault ClipboardSetText(const std::u16string& text) override {
        if (failed())
            return fault;
        return clipboard = toUtf8(text), fetchPaste(), TransferFault::None;
    }
    TransferFault SendKeys(const KeySequence& keys, bool wait) override {
        if (failed())
            return fault;
        if (keys.text != u"^v")
            received.push_back("keys " + toUtf8(keys.text));
        else if (m_pastePending = true; wait)
            fetchPaste();
        return TransferFault::None;
    }

private:
    bool failed() { return ++m_calls == failingCall; }
    // A paste sent without waiting is handled whenever the spreadsheet gets to it: here, after
    // the next change of the clipboard.
    void fetchPaste() {
        if (m_pastePending)
            received.push_back("paste " + clipboard.value_or("(empty clipboard)"));
        m_pastePending = false;
    }
    bool m_pastePending = false;
    int m_calls = 0;
};

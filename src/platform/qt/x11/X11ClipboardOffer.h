#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <utility>

class QMimeData;

// Sequence numbers of one X connection wrap around; `a` is at or after `b` when it lies less than
// half the range ahead.
inline bool sequenceAtOrAfter(uint32_t a, uint32_t b) {
    return int32_t(a - b) >= 0;
}

// What each request for this process's clipboard content gets. Qt answers the requests from a
// content (newOfferedContent) that asks the offer while it answers: another program gets the
// newest text the transfer has put up (none once it has emptied the clipboard); the spreadsheet
// gets the text of the paste whose key press its request came after, so that a late fetch of a
// paste gets that paste's text even when the next text has been put up since. Which request is
// being answered, the request watcher tells it just before Qt answers.
class X11ClipboardOffer {
public:
    std::optional<std::u16string> newest;

    // A paste keystroke of the newest text, whose key press has the sequence number `keyPress`.
    void pasted(uint32_t keyPress);
    // Another spreadsheet: none of its requests belongs to a paste so far.
    void forgetPastes() { m_pastes.clear(); }

    // The request about to be answered: the spreadsheet's, or another program's, with the
    // sequence number `sequence`.
    void answering(bool fromSpreadsheet, uint32_t sequence);
    // No request is being answered (an answer outside a request gets the newest text).
    void answered() { m_answering = false; }
    const std::optional<std::u16string>& answer() const { return m_answering ? m_answer : newest; }

private:
    std::deque<std::pair<uint32_t, std::optional<std::u16string>>> m_pastes; // the last few, oldest first
    bool m_answering = false;
    std::optional<std::u16string> m_answer;
};

// A clipboard content, for QClipboard::setMimeData, that answers as `offer` chooses; it has no
// text once the offer has gone.
QMimeData* newOfferedContent(const std::shared_ptr<const X11ClipboardOffer>& offer);

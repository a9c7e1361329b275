#pragma once

#include "KeySequence.h"

#include <cstdint>
#include <functional>
#include <string>

struct Catalogue;
class TransferSink;

// The spreadsheet link of the lookup window: the link flag, the transfer mode and the transfer
// that ends a member choice. Everything the spreadsheet sees goes through `TransferSink`; what
// the user is told goes to `showMessage`.
class SpreadsheetLink {
public:
    enum Mode : std::int16_t { TableForm = 0, WeightOnly = 1, PaintOnly = 2 };
    using ShowMessage = std::function<void(const std::u16string&)>;

    SpreadsheetLink(TransferSink& sink, ShowMessage showMessage);

    // The link flag and the mode. Start-up switches the link on and chooses the table form;
    // afterwards only the lookup window's menu commands change them.
    bool TransferEnabled = false;
    std::int16_t TransferMode = TableForm;

    // Types member m of group g into the spreadsheet in the current mode. The caller runs it after
    // writing the value label, and only while TransferEnabled is set. No spreadsheet window: ends
    // without a word. A keystroke setting that cannot be read: nothing of it is sent, the transfer
    // stops there and one message names the setting and its text.
    void TransferToSpreadsheet(const Catalogue& catalogue, std::int16_t g, std::int16_t m);

private:
    void pasteText(const std::u16string& text);
    bool sendSetting(std::u16string_view tag, const std::u16string& keys);

    TransferSink& m_sink;
    ShowMessage m_showMessage;
    KeySequence m_paste;
};

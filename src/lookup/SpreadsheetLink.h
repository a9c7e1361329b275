#pragma once

#include "KeySequence.h"

#include <cstdint>
#include <string>

struct Catalogue;
class LookupView;
class TransferSink;

// The spreadsheet link of the lookup window: the link flag, the transfer mode, the transfer that
// ends a member choice, and the four menu commands that switch them. Everything the spreadsheet
// sees goes through `TransferSink`; the check marks and the one message through the view.
class SpreadsheetLink {
public:
    enum Mode : std::int16_t { TableForm = 0, WeightOnly = 1, PaintOnly = 2 };

    SpreadsheetLink(TransferSink& sink, LookupView& view);

    // The link flag and the mode. Start-up switches the link on and runs mnuT_Click; afterwards
    // only the menu commands below change them.
    bool TransferEnabled = false;
    std::int16_t TransferMode = TableForm;

    // Types member m of group g into the spreadsheet in the current mode. The caller runs it after
    // writing the value label, and only while TransferEnabled is set. No spreadsheet window: ends
    // without a word. A keystroke setting that cannot be read: nothing of it is sent, the transfer
    // stops there and the view shows one message naming the setting and its text.
    void TransferToSpreadsheet(const Catalogue& catalogue, std::int16_t g, std::int16_t m);

    void mnuexcel_Click();
    void mnuT_Click();
    void mnuW_Click();
    void mnuP_Click();

private:
    void pasteText(const std::u16string& text);
    bool sendSetting(std::u16string_view tag, const std::u16string& keys);

    TransferSink& m_sink;
    LookupView& m_view;
    KeySequence m_paste;
};

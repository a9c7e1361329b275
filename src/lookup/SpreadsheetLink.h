#pragma once

#include "KeySequence.h"

#include <QString>

struct Catalogue;
class SpreadsheetLinkView;
class TransferSink;

// The spreadsheet link of the lookup window: the link flag, the transfer mode, the transfer that
// ends a member choice, and the four menu commands that switch them. Everything the spreadsheet
// sees goes through `TransferSink`; the check marks and the one message through the view.
class SpreadsheetLink {
public:
    enum Mode : qint16 { TableForm = 0, WeightOnly = 1, PaintOnly = 2 };

    SpreadsheetLink(TransferSink& sink, SpreadsheetLinkView& view);

    // The link flag and the mode. Start-up switches the link on and runs mnuT_Click; afterwards
    // only the menu commands below change them.
    bool TransferEnabled = false;
    qint16 TransferMode = TableForm;

    // Types member m of group g into the spreadsheet in the current mode. The caller runs it after
    // writing the value label, and only while TransferEnabled is set. No spreadsheet window: ends
    // without a word. A keystroke setting that cannot be read: nothing of it is sent, the transfer
    // stops there and the view shows one message naming the setting and its text.
    void TransferToSpreadsheet(const Catalogue& catalogue, qint16 g, qint16 m);

    void mnuexcel_Click();
    void mnuT_Click();
    void mnuW_Click();
    void mnuP_Click();

private:
    TransferSink& sink_;
    SpreadsheetLinkView& view_;
    KeySequence paste_;

    void pasteText(const QString& text);
    bool sendSetting(const QString& tag, const QString& keys);
};

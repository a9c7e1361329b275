#pragma once

#include "KeySequence.h"

#include <cstdint>
#include <functional>
#include <string>

struct Catalogue;
struct MemberValues;
class TransferSink;
enum class TransferFault;

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
    // without a word. A step that fails (the clipboard, the focus, the spreadsheet's fetch of a
    // paste) or a keystroke setting that cannot be read stops the transfer there: nothing after it
    // is sent, and one message says which step stopped and why.
    void TransferToSpreadsheet(const Catalogue& catalogue, std::int16_t g, std::int16_t m);
    // The same for a member found by its designation, one of the tables or one computed; the
    // catalogue gives the header settings.
    void TransferToSpreadsheet(const Catalogue& catalogue, const MemberValues& member);

private:
    bool pasteText(std::u16string_view what, const std::u16string& text);
    bool sendSetting(std::u16string_view tag, const std::u16string& keys);
    bool succeeded(std::u16string_view step, TransferFault fault);

    TransferSink& m_sink;
    ShowMessage m_showMessage;
    KeySequence m_paste;
    // What the last paste pasted: a sink learns only later that it was never fetched, or fetched
    // again too late.
    std::u16string m_lastPaste;
};

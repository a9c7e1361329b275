#include "SpreadsheetLink.h"

#include "MemberTexts.h"
#include "SpreadsheetWindowTitle.h"
#include "TransferSink.h"
#include "TransferWaits.h"
#include "base/Text.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueFormat.h"
#include "catalogue/NumberText.h"

namespace {

std::u16string seconds(int milliseconds) {
    return decimalText(milliseconds / 1000);
}

// Why the transfer stopped, as the user reads it. `lastPaste` names what was pasted last.
std::u16string faultText(TransferFault fault, std::u16string_view lastPaste) {
    switch (fault) {
    case TransferFault::ClipboardBusy:
        return formatText(
            u"ほかのプログラムがクリップボードを開いたままにしていて、%1 秒待っても使えませんでした。",
            {seconds(kClipboardBusyTimeoutMs)});
    case TransferFault::NotFocused:
        return u"エクセルのウィンドウにキーボードの入力が移っていません（ほかのウィンドウが前にあります）。"
               u"キーを送ると、ほかのウィンドウに入ってしまいます。";
    case TransferFault::NotFetched:
        return formatText(u"エクセルが「%1」で貼り付けた内容を %2 秒待っても受け取りませんでした。",
                          {lastPaste, seconds(kFirstFetchTimeoutMs)});
    case TransferFault::FetchedLate:
        return formatText(
            u"エクセルが「%1」で貼り付けた内容を、貼り付けが済んだと見てからもう一度受け取りました。"
            u"ここまでに貼り付けた行が違っているかもしれません。確かめてください。",
            {lastPaste});
    case TransferFault::NotResponding:
        return u"エクセルが応答していません。";
    case TransferFault::WindowClosed:
        return u"エクセルのウィンドウが閉じられました。";
    case TransferFault::None:
    case TransferFault::NoWindow:
        break;
    }
    return {};
}

} // namespace

SpreadsheetLink::SpreadsheetLink(TransferSink& sink, ShowMessage showMessage)
    : m_sink(sink), m_showMessage(std::move(showMessage)), m_paste(*parseKeySequence(u"^v").sequence) {}

void SpreadsheetLink::TransferToSpreadsheet(const Catalogue& c, std::int16_t g, std::int16_t m) {
    TransferToSpreadsheet(c, c.memberValues(g, m));
}

void SpreadsheetLink::TransferToSpreadsheet(const Catalogue& c, const MemberValues& member) {
    const TransferFault activation = m_sink.AppActivate(spreadsheetWindowTitle());
    if (activation == TransferFault::NoWindow || !succeeded(u"ウィンドウの切り替え", activation))
        return;

    if (TransferMode == WeightOnly || TransferMode == PaintOnly) {
        const bool weight = TransferMode == WeightOnly;
        const std::u16string what = (weight ? c.WeightTitle : c.PaintTitle) + u"の貼り付け";
        if (succeeded(what, m_sink.ClipboardClear()))
            pasteText(what, NumberText(weight ? member.weight : member.coefficient));
        return;
    }
    if (TransferMode != TableForm)
        return;

    const std::u16string row = u"行の貼り付け";
    const std::u16string weightFormula = formatText(u"%1 の式の貼り付け", {kWeightFormulaTag});
    const std::u16string areaFormula = formatText(u"%1 の式の貼り付け", {kAreaFormulaTag});
    const bool sent = succeeded(row, m_sink.ClipboardClear()) && pasteText(row, TableRowText(member)) &&
                      sendSetting(kWeightKeysTag, c.WeightKeys) &&
                      succeeded(weightFormula, m_sink.ClipboardClear()) &&
                      pasteText(weightFormula, c.WeightFormula) && sendSetting(kAreaKeysTag, c.AreaKeys) &&
                      succeeded(areaFormula, m_sink.ClipboardClear()) &&
                      (c.AreaFormula == kNoFormula || pasteText(areaFormula, c.AreaFormula));
    if (!sent)
        return;
    switch (member.kind) {
    case 1:
        sendSetting(kKind1KeysTag, c.Kind1Keys);
        break;
    case 2:
        sendSetting(kKind2KeysTag, c.Kind2Keys);
        break;
    case 3:
        sendSetting(kKind3KeysTag, c.Kind3Keys);
        break;
    default:
        break;
    }
}

// The paste keystroke always goes with wait: the sink finds out whether the spreadsheet is done
// with a paste at the next one, so what goes wrong with a paste is told at a later step.
bool SpreadsheetLink::pasteText(std::u16string_view what, const std::u16string& text) {
    if (!succeeded(what, m_sink.ClipboardSetText(text)))
        return false;
    const bool sent = succeeded(what, m_sink.SendKeys(m_paste, true));
    m_lastPaste = what;
    return sent;
}

// A setting is sent whole or not at all: half a cursor movement would put the next paste into the
// wrong cell, so a text that does not read ends the transfer with a message instead.
bool SpreadsheetLink::sendSetting(std::u16string_view tag, const std::u16string& keys) {
    const KeySequenceParse parsed = parseKeySequence(keys);
    if (!parsed.sequence) {
        m_showMessage(formatText(u"データファイルの %1 の行のキー操作「%2」は送れません。\n%3\n"
                                 u"エクセルへの転送はここで止めました。",
                                 {tag, keys, parsed.error}));
        return false;
    }
    return succeeded(formatText(u"%1 の行のキー操作", {tag}), m_sink.SendKeys(*parsed.sequence, false));
}

bool SpreadsheetLink::succeeded(std::u16string_view step, TransferFault fault) {
    if (fault == TransferFault::None)
        return true;
    m_showMessage(
        formatText(u"エクセルへの転送を「%1」のところで止めました。これより後は何も送っていません。\n%2",
                   {step, faultText(fault, m_lastPaste)}));
    return false;
}

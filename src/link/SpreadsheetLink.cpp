#include "SpreadsheetLink.h"

#include "MemberTexts.h"
#include "SpreadsheetWindowTitle.h"
#include "TransferSink.h"
#include "base/Text.h"
#include "catalogue/Catalogue.h"
#include "catalogue/NumberText.h"

namespace {

// The area formula of a file that gives none.
constexpr std::u16string_view kNoFormula = u"=/";

} // namespace

SpreadsheetLink::SpreadsheetLink(TransferSink& sink, ShowMessage showMessage)
    : m_sink(sink), m_showMessage(std::move(showMessage)), m_paste(*parseKeySequence(u"^v").sequence) {}

void SpreadsheetLink::TransferToSpreadsheet(const Catalogue& c, std::int16_t g, std::int16_t m) {
    if (!m_sink.AppActivate(spreadsheetWindowTitle()))
        return;

    if (TransferMode == WeightOnly || TransferMode == PaintOnly) {
        const double value = TransferMode == WeightOnly ? c.MemberWeight[g][m] : c.MemberPaintCoef[g][m];
        m_sink.ClipboardClear();
        pasteText(NumberText(value));
        return;
    }
    if (TransferMode != TableForm)
        return;

    m_sink.ClipboardClear();
    pasteText(TableRowText(c, g, m));
    if (!sendSetting(u"W>", c.WeightKeys))
        return;
    m_sink.ClipboardClear();
    pasteText(c.WeightFormula);
    if (!sendSetting(u"A>", c.AreaKeys))
        return;
    m_sink.ClipboardClear();
    if (c.AreaFormula != kNoFormula)
        pasteText(c.AreaFormula);

    switch (c.GroupKind[g]) {
    case 1:
        sendSetting(u"1>", c.Kind1Keys);
        break;
    case 2:
        sendSetting(u"2>", c.Kind2Keys);
        break;
    case 3:
        sendSetting(u"3>", c.Kind3Keys);
        break;
    default:
        break;
    }
}

// Every clipboard change waits for the paste before it to have fetched the clipboard, so the
// paste keystroke always goes with wait.
void SpreadsheetLink::pasteText(const std::u16string& text) {
    m_sink.ClipboardSetText(text);
    m_sink.SendKeys(m_paste, true);
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
    m_sink.SendKeys(*parsed.sequence, false);
    return true;
}

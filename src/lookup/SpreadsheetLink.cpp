#include "SpreadsheetLink.h"

#include "MemberTexts.h"
#include "SpreadsheetLinkView.h"
#include "SpreadsheetWindowTitle.h"
#include "TransferSink.h"
#include "catalogue/Catalogue.h"
#include "catalogue/NumberText.h"

namespace {

// The area formula of a file that gives none.
const QString kNoFormula = QStringLiteral("=/");

} // namespace

SpreadsheetLink::SpreadsheetLink(TransferSink& sink, SpreadsheetLinkView& view)
    : sink_(sink), view_(view), paste_(*ParseKeySequence(QStringLiteral("^v")).sequence) {}

void SpreadsheetLink::TransferToSpreadsheet(const Catalogue& c, qint16 g, qint16 m) {
    if (!sink_.AppActivate(SpreadsheetWindowTitle()))
        return;

    if (TransferMode == WeightOnly || TransferMode == PaintOnly) {
        const double value = TransferMode == WeightOnly ? c.MemberWeight[g][m] : c.MemberPaintCoef[g][m];
        sink_.ClipboardClear();
        pasteText(NumberText(value));
        return;
    }
    if (TransferMode != TableForm)
        return;

    sink_.ClipboardClear();
    pasteText(TableRowText(c, g, m));
    if (!sendSetting(QStringLiteral("W>"), c.WeightKeys))
        return;
    sink_.ClipboardClear();
    pasteText(c.WeightFormula);
    if (!sendSetting(QStringLiteral("A>"), c.AreaKeys))
        return;
    sink_.ClipboardClear();
    if (c.AreaFormula != kNoFormula)
        pasteText(c.AreaFormula);

    switch (c.GroupKind[g]) {
    case 1:
        sendSetting(QStringLiteral("1>"), c.Kind1Keys);
        break;
    case 2:
        sendSetting(QStringLiteral("2>"), c.Kind2Keys);
        break;
    case 3:
        sendSetting(QStringLiteral("3>"), c.Kind3Keys);
        break;
    default:
        break;
    }
}

// Every clipboard change waits for the paste before it to have fetched the clipboard, so the
// paste keystroke always goes with wait.
void SpreadsheetLink::pasteText(const QString& text) {
    sink_.ClipboardSetText(text);
    sink_.SendKeys(paste_, true);
}

// A setting is sent whole or not at all: half a cursor movement would put the next paste into the
// wrong cell, so a text that does not read ends the transfer with a message instead.
bool SpreadsheetLink::sendSetting(const QString& tag, const QString& keys) {
    const KeySequenceParse parsed = ParseKeySequence(keys);
    if (!parsed.sequence) {
        view_.ShowLinkMessage(QStringLiteral("データファイルの %1 の行のキー操作「%2」は送れません。\n%3\n"
                                             "エクセルへの転送はここで止めました。")
                                  .arg(tag, keys, parsed.error));
        return false;
    }
    sink_.SendKeys(*parsed.sequence, false);
    return true;
}

void SpreadsheetLink::mnuexcel_Click() {
    TransferEnabled = !TransferEnabled;
    view_.SetMenuChecked(LinkMenuItem::Excel, TransferEnabled);
}

void SpreadsheetLink::mnuT_Click() {
    view_.SetMenuChecked(LinkMenuItem::WeightOnly, false);
    view_.SetMenuChecked(LinkMenuItem::PaintOnly, false);
    view_.SetMenuChecked(LinkMenuItem::Table, true);
    TransferMode = TableForm;
}

void SpreadsheetLink::mnuW_Click() {
    view_.SetMenuChecked(LinkMenuItem::PaintOnly, false);
    view_.SetMenuChecked(LinkMenuItem::Table, false);
    view_.SetMenuChecked(LinkMenuItem::WeightOnly, true);
    TransferMode = WeightOnly;
}

void SpreadsheetLink::mnuP_Click() {
    view_.SetMenuChecked(LinkMenuItem::WeightOnly, false);
    view_.SetMenuChecked(LinkMenuItem::Table, false);
    view_.SetMenuChecked(LinkMenuItem::PaintOnly, true);
    TransferMode = PaintOnly;
}

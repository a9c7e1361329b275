#pragma once

#include "LookupView.h"
#include "catalogue/Catalogue.h"

#include <QString>

#include <functional>

class StayOnTop;

// The lookup window's behaviour, apart from its widgets: start-up, browsing groups and members,
// the stay-on-top state, resizing and closing. It owns the state that lives as long as the
// window: the catalogue, the path it came from and the spreadsheet-link settings. The window is
// reached through LookupView, stacking through StayOnTop.
class LookupWindowLogic {
public:
    enum class StartOutcome {
        Shown,  // the window is ready to be shown
        Closed, // the catalogue file was missing or unreadable: its message was shown, the window closed
    };
    // Called at the end of a member choice with the chosen group g and member m (both from 1)
    // while the spreadsheet link is on.
    using TransferHook = std::function<void(qint16 g, qint16 m)>;

    LookupWindowLogic(LookupView& view, StayOnTop& stayOnTop);

    // The start-up sequence. `argumentText` is the command line after the program's name, as
    // typed: when not empty it is the catalogue path, whole. A catalogue header with the wrong
    // tag ends the process through LookupView::endProcess after its message.
    StartOutcome Form_Load(const QString& argumentText);

    // Fills the window from the catalogue as it stands: transfer captions, group list with the
    // first group chosen, window caption.
    void RefreshLookupWindow();

    // Reads the catalogue at DataFileName afresh and shows what the load has to say. False when
    // the file is missing or unreadable (its message has been shown).
    bool ReloadCatalogue();

    void cmbmem_Click();
    void lstnum_Click();
    void mnuT_Click();

    // The commands that leave the lookup window: the catalogue text editor with the reload
    // after it, the coefficient generator, the help page and the About window.
    void mnuedit_Click();
    void mnuptarea_Click();
    void mnuhelp_Click();
    void mnuver_Click();
    void Form_Resize();
    void Form_QueryUnload();

    bool TopMost() const { return m_topMost; }
    // Every assignment asks the window system, also when the value does not change.
    void setTopMost(bool value);

    void setTransferHook(TransferHook hook) { m_transfer = std::move(hook); }

    // The state the window owns for the whole run.
    QString DataFileName;
    Catalogue catalogue;
    bool TransferEnabled = false;
    qint16 TransferMode = 0; // 0 table form, 1 weight only, 2 coefficient only

private:
    void refreshTransferCaptions();
    void refreshGroupList();
    void refreshCaption();
    bool isGroup(int g) const;

    LookupView& m_view;
    StayOnTop& m_stayOnTop;
    TransferHook m_transfer;
    bool m_topMost = false;
};

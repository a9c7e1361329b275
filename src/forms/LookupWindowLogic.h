#pragma once

#include "catalogue/Catalogue.h"
#include "coefficients/MemberFinder.h"
#include "link/SpreadsheetLink.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class LookupView;
class TransferSink;

// The find lists at most this many members, and remembers as many of those picked.
inline constexpr std::size_t kFoundMemberLimit = 50;

// The lookup window's behaviour, apart from its widgets: start-up, browsing groups and members,
// the stay-on-top state, resizing and closing, and the menu commands. It owns the state that lives
// as long as the window: the catalogue, the path it came from and the spreadsheet-link settings.
// The window is reached through LookupView, the spreadsheet through TransferSink.
class LookupWindowLogic {
public:
    enum class StartOutcome {
        Shown,  // the window is ready to be shown
        Closed, // the catalogue file was missing or unreadable: its message was shown, the window closed
    };
    LookupWindowLogic(LookupView& view, TransferSink& transferSink);

    // The start-up sequence. `argument` is the command line after the program's name, as typed:
    // when not empty it is the catalogue path, whole. A catalogue header with the wrong tag ends
    // the process through LookupView::endProcess after its message.
    StartOutcome Form_Load(const std::filesystem::path& argument);

    // Fills the window from the catalogue as it stands: transfer captions, group list with the
    // first group chosen, window caption.
    void RefreshLookupWindow();

    void cmbmem_Click();
    void lstnum_Click();

    // The members that `text` finds in the catalogue, best first, computed ones among them.
    std::vector<FoundMember> findMembers(std::u16string_view text, std::size_t limit) const;
    // Chooses a member that the find found. One of the catalogue is chosen in the group box and
    // the member list, whose handlers do the rest; a computed one, which no list holds, shows its
    // family's group with no member chosen, its values in the label, and goes to the spreadsheet
    // as a member chosen in the list would. A member that the catalogue no longer holds where it
    // was found (it was read again meanwhile) is not chosen.
    void chooseFound(const FoundMember& found);
    // The members chosen in this run, in the lists or by the find, newest first, each once.
    const std::vector<FoundMember>& pickedMembers() const { return m_picked; }

    // The spreadsheet link's commands: the link switch and the three transfer modes. Each mode
    // command clears the two other check marks, sets its own and stores the mode, in that order.
    void mnuexcel_Click();
    void mnuT_Click();
    void mnuW_Click();
    void mnuP_Click();

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

    // The catalogue path, for the whole run; the editor may change it.
    std::filesystem::path DataFileName;
    const Catalogue& catalogue() const { return m_catalogue; }
    // TransferEnabled and TransferMode.
    const SpreadsheetLink& link() const { return m_link; }

private:
    // Reads the catalogue at DataFileName afresh and shows what the load has to say. False when
    // the file is missing or unreadable (its message has been shown).
    bool reloadCatalogue();
    void refreshTransferCaptions();
    void refreshGroupList();
    void refreshCaption();
    // The window's caption, which the spreadsheet link's messages carry as their title.
    std::u16string windowCaption() const;
    bool isGroup(int g) const;
    bool isMember(int g, int m) const;
    void rememberPick(const FoundMember& picked);
    // After a load: the picks that the new catalogue still holds, found again, the others dropped.
    void findPicksAgain();

    LookupView& m_view;
    Catalogue m_catalogue;
    SpreadsheetLink m_link;
    bool m_topMost = false;
    // Built for each catalogue the window loads.
    std::optional<MemberFinder> m_finder;
    std::vector<FoundMember> m_picked;
};

#include "LookupWindowLogic.h"

#include "LookupView.h"
#include "WindowRegenerationReporter.h"
#include "base/FileNameOf.h"
#include "base/Text.h"
#include "catalogue/LoadCatalogue.h"
#include "coefficients/RegenerateCoefficients.h"
#include "link/MemberTexts.h"

#include <algorithm>

namespace {

constexpr std::u16string_view kDefaultDataFileName = u"JISTEELW.CSV";

// One member for the find's list of picks: by where it stands, as the user reads it.
bool isSameMember(const FoundMember& a, const FoundMember& b) {
    return a.computed == b.computed && a.groupName == b.groupName &&
           a.values.designation == b.values.designation;
}

} // namespace

LookupWindowLogic::LookupWindowLogic(LookupView& view, TransferSink& transferSink)
    : m_view(view), m_link(transferSink, [this](const std::u16string& text) {
          m_view.showCaptionedMessage(windowCaption(), text);
      }) {}

LookupWindowLogic::StartOutcome LookupWindowLogic::Form_Load(const std::filesystem::path& argument) {
    DataFileName = textPath(kDefaultDataFileName);
    if (!argument.empty())
        DataFileName = argument;

    if (!reloadCatalogue()) {
        m_view.closeWindow();
        return StartOutcome::Closed;
    }

    // The generator writes coefficients for the standard catalogue only; the comparison is exact
    // and case-sensitive, and a shorter path never matches.
    m_view.setMenuVisible(MenuItem::mnuptarea, pathText(DataFileName).ends_with(kDefaultDataFileName));
    refreshTransferCaptions();
    m_link.TransferEnabled = true; // the mark of mnuexcel comes from the window's design
    mnuT_Click();
    refreshGroupList();
    refreshCaption();
    setTopMost(true);
    return StartOutcome::Shown;
}

bool LookupWindowLogic::reloadCatalogue() {
    const LoadResult result = LoadCatalogue(m_catalogue, DataFileName);
    // Whatever the load left in the tables is what the find searches from now on.
    m_finder.emplace(m_catalogue);
    findPicksAgain();
    switch (result.status) {
    case LoadResult::Status::TagMismatch:
        m_view.showMessage(result.message);
        m_view.endProcess(ZelkExitStatus::CatalogueFault);
        return false;
    case LoadResult::Status::Missing:
    case LoadResult::Status::Unreadable:
        m_view.showMessage(result.message);
        return false;
    case LoadResult::Status::Loaded:
        break;
    }
    if (!result.problems.empty())
        m_view.showMessage(problemsMessage(pathText(DataFileName), result.problems));
    return true;
}

void LookupWindowLogic::RefreshLookupWindow() {
    refreshTransferCaptions();
    refreshGroupList();
    refreshCaption();
}

void LookupWindowLogic::refreshTransferCaptions() {
    m_view.setMenuCaption(MenuItem::mnuW, m_catalogue.WeightTitle + u"のみ(&W)");
    m_view.setMenuCaption(MenuItem::mnuP, m_catalogue.PaintTitle + u"のみ(&P)");
}

void LookupWindowLogic::refreshGroupList() {
    m_view.clearGroups();
    for (int g = 1; isGroup(g); ++g)
        m_view.addGroup(m_catalogue.GroupName[g]);
    if (isGroup(1)) {
        // Runs cmbmem_Click, which fills the member list.
        m_view.setGroupIndex(0);
    } else {
        // No group to choose: the member list must not keep the members of an earlier catalogue.
        m_view.clearMembers();
    }
}

void LookupWindowLogic::refreshCaption() {
    m_view.setCaption(windowCaption());
}

std::u16string LookupWindowLogic::windowCaption() const {
    return u"ZELK_Win [ " + FileNameOf(pathText(DataFileName)) + u" ]";
}

bool LookupWindowLogic::isGroup(int g) const {
    return g >= 1 && g <= m_catalogue.GroupCount && std::size_t(g) < m_catalogue.GroupName.size();
}

bool LookupWindowLogic::isMember(int g, int m) const {
    return isGroup(g) && m >= 1 && m <= m_catalogue.GroupMemberCount[g] &&
           std::size_t(m) < m_catalogue.MemberName[g].size();
}

void LookupWindowLogic::cmbmem_Click() {
    const int g = m_view.groupIndex() + 1;
    m_view.clearMembers();
    if (!isGroup(g))
        return;
    const int count =
        std::min<int>(m_catalogue.GroupMemberCount[g], int(m_catalogue.MemberName[g].size()) - 1);
    for (int m = 1; m <= count; ++m)
        m_view.addMember(m_catalogue.MemberName[g][m]);
}

void LookupWindowLogic::lstnum_Click() {
    const int g = m_view.groupIndex() + 1;
    const int m = m_view.memberIndex() + 1;
    if (!isMember(g, m))
        return;
    m_view.setValueLabel(valueLabelText(m_catalogue, std::int16_t(g), std::int16_t(m)));
    rememberPick({false, std::int16_t(g), std::int16_t(m), m_catalogue.GroupName[g],
                  m_catalogue.memberValues(std::int16_t(g), std::int16_t(m))});
    if (m_link.TransferEnabled)
        m_link.TransferToSpreadsheet(m_catalogue, std::int16_t(g), std::int16_t(m));
}

std::vector<FoundMember> LookupWindowLogic::findMembers(std::u16string_view text, std::size_t limit) const {
    return m_finder ? m_finder->find(text, limit) : std::vector<FoundMember>();
}

void LookupWindowLogic::chooseFound(const FoundMember& found) {
    if (!found.computed) {
        if (!isMember(found.group, found.member) ||
            m_catalogue.MemberName[found.group][found.member] != found.values.designation)
            return;
        m_view.setGroupIndex(found.group - 1); // fills the member list
        m_view.setMemberIndex(found.member - 1);
        return;
    }
    // No member of the list stays chosen: the label must not be read as the values of one.
    m_view.setGroupIndex(isGroup(found.group) ? found.group - 1 : m_view.groupIndex());
    m_view.setValueLabel(valueLabelText(m_catalogue, found.values));
    rememberPick(found);
    if (m_link.TransferEnabled)
        m_link.TransferToSpreadsheet(m_catalogue, found.values);
}

void LookupWindowLogic::rememberPick(const FoundMember& picked) {
    std::erase_if(m_picked, [&](const FoundMember& earlier) { return isSameMember(earlier, picked); });
    m_picked.insert(m_picked.begin(), picked);
    if (m_picked.size() > kFoundMemberLimit)
        m_picked.pop_back();
}

void LookupWindowLogic::findPicksAgain() {
    std::vector<FoundMember> kept;
    for (const FoundMember& picked : m_picked) {
        for (FoundMember& found : m_finder->find(picked.values.designation, kFoundMemberLimit)) {
            if (isSameMember(found, picked)) {
                kept.push_back(std::move(found));
                break;
            }
        }
    }
    m_picked = std::move(kept);
}

void LookupWindowLogic::mnuexcel_Click() {
    m_link.TransferEnabled = !m_link.TransferEnabled;
    m_view.setMenuChecked(MenuItem::mnuexcel, m_link.TransferEnabled);
}

void LookupWindowLogic::mnuT_Click() {
    m_view.setMenuChecked(MenuItem::mnuW, false);
    m_view.setMenuChecked(MenuItem::mnuP, false);
    m_view.setMenuChecked(MenuItem::mnuT, true);
    m_link.TransferMode = SpreadsheetLink::TableForm;
}

void LookupWindowLogic::mnuW_Click() {
    m_view.setMenuChecked(MenuItem::mnuP, false);
    m_view.setMenuChecked(MenuItem::mnuT, false);
    m_view.setMenuChecked(MenuItem::mnuW, true);
    m_link.TransferMode = SpreadsheetLink::WeightOnly;
}

void LookupWindowLogic::mnuP_Click() {
    m_view.setMenuChecked(MenuItem::mnuW, false);
    m_view.setMenuChecked(MenuItem::mnuT, false);
    m_view.setMenuChecked(MenuItem::mnuP, true);
    m_link.TransferMode = SpreadsheetLink::PaintOnly;
}

void LookupWindowLogic::mnuedit_Click() {
    setTopMost(false);
    DataFileName = m_view.showTextEditor(DataFileName);
    // The catalogue is read again whether or not the editor saved, and the window refilled
    // before the test: on a missing file the lists show what the failed load left.
    const bool loaded = reloadCatalogue();
    RefreshLookupWindow();
    if (!loaded) {
        m_view.closeWindow();
        return;
    }
    setTopMost(true);
}

void LookupWindowLogic::mnuptarea_Click() {
    // Reads the file by itself: the tables, the window and the stay-on-top state stay as they are.
    WindowRegenerationReporter reporter(m_view, pathText(DataFileName));
    const RegenerationResult result =
        RegenerateCoefficients(DataFileName, textPath(kRegeneratedFileName), reporter);
    if (result.status == RegenerationResult::Status::DataError)
        m_view.endProcess(ZelkExitStatus::GeneratorFault); // its message shown, its output closed
}

void LookupWindowLogic::mnuhelp_Click() {
    m_view.openHelpPage();
}

void LookupWindowLogic::mnuver_Click() {
    setTopMost(false);
    m_view.showAboutWindow();
    setTopMost(true);
}

void LookupWindowLogic::Form_Resize() {
    if (m_view.isMinimized())
        return;
    // The list fills what lies between the group box and the strip; a window too low for both
    // leaves it with no height rather than a negative one.
    const int listHeight = m_view.innerHeight() - m_view.stripInnerHeight() - m_view.groupBoxHeight();
    m_view.setMemberListHeight(std::max(0, listHeight));
    m_view.setMemberListWidth(m_view.innerWidth());
    m_view.setGroupBoxWidth(m_view.innerWidth());
}

void LookupWindowLogic::Form_QueryUnload() {
    // The close always goes ahead; the window leaves the top layer first.
    setTopMost(false);
}

void LookupWindowLogic::setTopMost(bool value) {
    m_view.setStayOnTop(value);
    m_topMost = value;
}

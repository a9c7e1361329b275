#include "MemberFind.h"

#include "LookupWindowLogic.h"

#include <algorithm>

MemberFind::MemberFind(FindView& view, LookupWindowLogic& lookup) : m_view(view), m_lookup(lookup) {}

void MemberFind::open() {
    if (m_open) {
        m_view.selectFindText();
        return;
    }
    m_open = true;
    m_view.showFind();
    textChanged({});
}

void MemberFind::textChanged(std::u16string_view text) {
    if (!m_open)
        return;
    // Taking the same member again is the commonest step of a take-off: an empty field offers the
    // members picked so far.
    showResults(text.empty() ? m_lookup.pickedMembers() : m_lookup.findMembers(text, kFoundMemberLimit));
}

void MemberFind::showResults(std::vector<FoundMember> found) {
    m_results = std::move(found);
    std::vector<FindRow> rows;
    rows.reserve(m_results.size());
    for (const FoundMember& member : m_results) {
        std::u16string detail = member.groupName;
        // A computed member's remark is the mark that its family's name already carries.
        if (!member.values.remark.empty() && !member.computed)
            detail += u"　" + member.values.remark;
        rows.push_back({member.values.designation, std::move(detail)});
    }
    m_view.setFindResults(rows);
    setCurrent(0);
}

void MemberFind::moveCurrent(int step) {
    if (!m_results.empty())
        setCurrent(std::clamp(m_current + step, 0, int(m_results.size()) - 1));
}

void MemberFind::setCurrent(int index) {
    m_current = index >= 0 && index < int(m_results.size()) ? index : -1;
    m_view.setCurrentFindResult(m_current);
}

void MemberFind::pick() {
    if (!m_open || m_current < 0)
        return;
    const FoundMember picked = m_results[std::size_t(m_current)];
    // Closed first: the choice may bring the spreadsheet forward, and the window it leaves behind
    // is the window of the lists, with the focus in the member list.
    close(FindEnd::Picked);
    m_lookup.chooseFound(picked);
}

void MemberFind::pickAt(int index) {
    setCurrent(index);
    pick();
}

void MemberFind::cancel() {
    if (m_open)
        close(FindEnd::Cancelled);
}

void MemberFind::close(FindEnd end) {
    m_open = false;
    m_results.clear();
    m_current = -1;
    m_view.hideFind(end);
}

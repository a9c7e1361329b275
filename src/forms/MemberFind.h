#pragma once

#include "FindView.h"
#include "coefficients/MemberFinder.h"

#include <string_view>
#include <vector>

class LookupWindowLogic;

// The find of the lookup window: a member by what the user types, picked with the keyboard. The
// field's every change lists the members found, best first, or with an empty field the members
// picked in this run, newest first; Up and Down move the highlight, Enter or a double-click picks,
// Escape closes without a change. A pick closes the find and chooses the member as the two lists
// do (LookupWindowLogic::chooseFound), so the label shows it and the link sends it.
class MemberFind {
public:
    MemberFind(FindView& view, LookupWindowLogic& lookup);

    bool isOpen() const { return m_open; }

    // Ctrl+F and the menu command: opens the find empty, or selects the text of an open one.
    void open();
    void textChanged(std::u16string_view text);
    // Up (-1) and Down (+1); the highlight stops at the first and the last result.
    void moveCurrent(int step);
    // A click on a result highlights it.
    void setCurrent(int index);
    // Enter: picks the highlighted result; nothing happens while there is none.
    void pick();
    // A double-click on a result.
    void pickAt(int index);
    // Escape, and any other command of the window: closes the find without a change.
    void cancel();

private:
    void showResults(std::vector<FoundMember> found);
    void close(FindEnd end);

    FindView& m_view;
    LookupWindowLogic& m_lookup;
    bool m_open = false;
    std::vector<FoundMember> m_results;
    int m_current = -1;
};

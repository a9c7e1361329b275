// Rules that every design keeps, whatever its figures: a submenu is an entry with entries under it,
// a check mark only on an item that can take one, none on a submenu, and only labels sizing
// themselves to their text (a list or a box that did so would shrink to nothing on Windows).
#include "forms/WindowDesigns.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(WindowDesigns, marksAndSizesOnlyWhereTheyMeanSomething) {
    for (const MenuDesign& e : lookupMenuTree()) {
        SCOPED_TRACE(e.name);
        EXPECT_EQ(e.submenu,
                  std::ranges::any_of(lookupMenuTree(), [&](auto& c) { return c.parent == e.item; }));
        EXPECT_TRUE((e.checkable || !e.checked) && !(e.submenu && e.checkable));
    }
    for (const WindowDesign* window : {&lookupWindowDesign(), &textEditorDesign(), &aboutWindowDesign()})
        for (const ControlDesign& control : window->controls)
            EXPECT_TRUE(!control.autoSize || control.kind == ControlKind::Label) << control.name;
}

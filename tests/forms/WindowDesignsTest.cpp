// Rules that every design keeps, whatever its figures: a check mark only on an item that can take
// one, none on a submenu, and only labels sizing themselves to their text (a list or a box that
// did so would shrink to nothing on Windows).
#include "forms/WindowDesigns.h"

#include <gtest/gtest.h>

TEST(WindowDesigns, marksAndSizesOnlyWhereTheyMeanSomething) {
    for (const MenuDesign& entry : lookupMenuTree())
        EXPECT_TRUE((entry.checkable || !entry.checked) && !(entry.submenu && entry.checkable)) << entry.name;
    for (const WindowDesign* window : {&lookupWindowDesign(), &textEditorDesign(), &aboutWindowDesign()}) {
        for (const ControlDesign& control : window->controls)
            EXPECT_TRUE(!control.autoSize || control.kind == ControlKind::Label) << control.name;
    }
}

#include "WindowDesigns.h"

#include "LookupWindowLogic.h"
#include "MemberFind.h"
#include "ZelkVersion.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

int twipsToPixels(int twips, int dotsPerInch) {
    return static_cast<int>(std::lround(twips * static_cast<double>(dotsPerInch) / 1440.0));
}

const ControlDesign& WindowDesign::control(std::string_view controlName) const {
    for (const ControlDesign& design : controls) {
        if (design.name == controlName)
            return design;
    }
    throw std::logic_error("no control " + std::string(controlName) + " in " + std::string(name));
}

std::vector<const ControlDesign*> WindowDesign::tabOrder() const {
    std::vector<const ControlDesign*> order;
    for (const ControlDesign& design : controls)
        order.push_back(&design);
    std::stable_sort(order.begin(), order.end(), [](auto* a, auto* b) { return a->tabIndex < b->tabIndex; });
    return order;
}

PixelRect centredOnOwner(int width, int height, const PixelRect& owner,
                         const std::optional<PixelRect>& workArea) {
    PixelRect placed{(2 * owner.x + owner.width - width) / 2, (2 * owner.y + owner.height - height) / 2,
                     width, height};
    if (workArea) {
        placed.x = std::max(std::min(placed.x, workArea->x + workArea->width - width), workArea->x);
        placed.y = std::max(std::min(placed.y, workArea->y + workArea->height - height), workArea->y);
    }
    return placed;
}

namespace {

constexpr Colour kDarkBlue{0, 0, 192};

const ControlDesign kLookupControls[] = {
    {"cmbmem", ControlKind::DropDownList, {}, {0, 0, 2172, 276}, 0, {}, {}, {}, false},
    {"lstnum", ControlKind::ListBox, {}, {0, 280, 2172, 2388}, 1, {}, {}, {}, false},
    {"Picture1", ControlKind::Strip, {}, {0, 2952, 2700, 252}, 2, {}, {}, {}, false},
    {"lblW", ControlKind::Label, "Picture1", {120, 0, 60, 180}, 3, {}, {}, {}, true},
};

const ControlDesign kEditorControls[] = {
    {"rtf1",
     ControlKind::RichTextBox,
     {},
     {0, 0, 3252, 2652},
     0,
     u"データファイルなし",
     FontDesign{u"ＭＳ ゴシック", 9.15},
     {},
     false},
};

const ControlDesign kAboutControls[] = {
    {"Command1", ControlKind::IconButton, {}, {120, 120, 612, 612}, 3, {}, {}, {}, false},
    {"lblTitle",
     ControlKind::Label,
     {},
     {840, 0, 2004, 504},
     1,
     u"ZELK_Win",
     FontDesign{u"Arial Black", 18.31, true},
     kDarkBlue,
     true},
    {"lblDescription",
     ControlKind::Label,
     {},
     {840, 480, 1944, 324},
     0,
     u"鋼材重量集計",
     FontDesign{u"ＭＳ Ｐ明朝", 16.48},
     kDarkBlue,
     true},
    {"lblVersion",
     ControlKind::Label,
     {},
     {1200, 840, 1092, 204},
     2,
     u"Version " ZELK_VERSION,
     FontDesign{u"ＭＳ Ｐゴシック", 10.38},
     Colour{0, 0, 255},
     true},
    {"Label1", ControlKind::Label, {}, {360, 1200, 2304, 180}, 4, u"Copyright (C) 2026", {}, {}, true},
    {"Label2", ControlKind::Label, {}, {840, 1440, 1476, 180}, 5, u"ZELK_Win developers", {}, {}, true},
};

const MenuDesign kMenuTree[] = {
    {MenuItem::mnuset, "mnuset", {}, u"設定(&S)", true, false, false},
    {MenuItem::mnuedit, "mnuedit", MenuItem::mnuset, u"データ編集(&E)", false, false, false},
    {MenuItem::mnuptarea, "mnuptarea", MenuItem::mnuset, u"塗装面積係数作成(&T)", false, false, false},
    {MenuItem::mnuexcel, "mnuexcel", MenuItem::mnuset, u"エクセル連動する(&E)", false, true, true},
    {MenuItem::mnucopy, "mnucopy", MenuItem::mnuset, u"貼付内容(&C)", true, false, false},
    {MenuItem::mnuT, "mnuT", MenuItem::mnucopy, u"表形式(&T)", false, true, false},
    {MenuItem::mnuW, "mnuW", MenuItem::mnucopy, u"単位重量のみ(&W)", false, true, false},
    {MenuItem::mnuP, "mnuP", MenuItem::mnucopy, u"塗装面積係数のみ(&P)", false, true, false},
    {MenuItem::mnufind, "mnufind", MenuItem::mnuset, u"部材の検索(&F)", false, false, false, u'F'},
    {MenuItem::mnuh, "mnuh", {}, u"ヘルプ(&H)", true, false, false},
    {MenuItem::mnuhelp, "mnuhelp", MenuItem::mnuh, u"ヘルプ(&I)", false, false, false},
    {MenuItem::mnuver, "mnuver", MenuItem::mnuh, u"バージョン情報(&A)", false, false, false},
};

} // namespace

const WindowDesign& lookupWindowDesign() {
    static const WindowDesign kDesign{"frmZELK", u"ZELK_Win", FrameKind::Resizable,     true,           false,
                                      true,      false,       {7128, 1140, 2700, 3204}, kLookupControls};
    return kDesign;
}

const WindowDesign& textEditorDesign() {
    static const WindowDesign kDesign{"frmText", u"Text Screen", FrameKind::Resizable, true,           true,
                                      false,     true,           {0, 0, 4932, 4896},   kEditorControls};
    return kDesign;
}

const WindowDesign& aboutWindowDesign() {
    static const WindowDesign kDesign{
        "frmAbout", u"ﾊﾞｰｼﾞｮﾝ情報", FrameKind::FixedDialog, false,         false,
        true,       true,           {0, 0, 3144, 1716},     kAboutControls};
    return kDesign;
}

std::span<const MenuDesign> lookupMenuTree() {
    return kMenuTree;
}

std::u16string shortcutText(const MenuDesign& entry) {
    return entry.ctrlKey ? u"Ctrl+" + std::u16string(1, entry.ctrlKey) : std::u16string();
}

void runMenuCommand(LookupWindowLogic& logic, MemberFind& find, MenuItem item) {
    if (item == MenuItem::mnufind)
        return find.open();
    find.cancel();
    switch (item) {
    case MenuItem::mnuedit:
        return logic.mnuedit_Click();
    case MenuItem::mnuptarea:
        return logic.mnuptarea_Click();
    case MenuItem::mnuexcel:
        return logic.mnuexcel_Click();
    case MenuItem::mnuT:
        return logic.mnuT_Click();
    case MenuItem::mnuW:
        return logic.mnuW_Click();
    case MenuItem::mnuP:
        return logic.mnuP_Click();
    case MenuItem::mnuhelp:
        return logic.mnuhelp_Click();
    case MenuItem::mnuver:
        return logic.mnuver_Click();
    case MenuItem::mnuset:
    case MenuItem::mnufind:
    case MenuItem::mnucopy:
    case MenuItem::mnuh:
        return;
    }
}

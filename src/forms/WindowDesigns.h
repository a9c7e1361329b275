#pragma once

#include "LookupView.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

// The three windows as fixed designs: frame, caption, size and place, each control's kind, name,
// rectangle, text, font and colour, and the lookup window's menu tree. Every front end builds its
// windows from these tables, so the windows look and read the same on every platform.
//
// Rectangles are in twips (1/1440 inch): a control's top-left corner in its container's client
// area, a window's client area on the screen; sizes without frame, caption bar and menu bar.

struct TwipsRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// 1440 twips make an inch; `dotsPerInch` is the screen's logical resolution (96 gives 15 twips a
// pixel).
int twipsToPixels(int twips, int dotsPerInch);

// A font by its Windows face name ("ＭＳ ゴシック", "Arial Black"). A platform without the face
// picks its nearest installed stand-in.
struct FontDesign {
    std::u16string_view face;
    double pointSize = 0;
    bool black = false; // the face is a black-weight face
};

// The font of every control whose design names none.
inline constexpr FontDesign kInterfaceFont{u"ＭＳ Ｐゴシック", 9};

struct Colour {
    int red = 0;
    int green = 0;
    int blue = 0;
};

enum class ControlKind {
    DropDownList, // a combo box that only offers its items
    ListBox,      // one item selectable at a time, unsorted
    Strip,        // a picture box docked to the window's bottom edge, spanning its width
    Label,
    RichTextBox, // multi-line plain text, no wrapping
    IconButton,  // a push button that shows the application icon and no text
};

struct ControlDesign {
    std::string_view name;
    ControlKind kind;
    std::string_view container; // empty for the window itself
    TwipsRect rect;
    int tabIndex = 0;
    std::u16string_view text;
    std::optional<FontDesign> font; // none: the default user-interface font
    std::optional<Colour> colour;   // none: the default text colour
    bool autoSize = false;          // the control sizes itself to its text, growing to the right
};

enum class FrameKind {
    Resizable,   // sizing border
    FixedDialog, // not resizable, no task-bar entry
};

struct WindowDesign {
    std::string_view name;
    std::u16string_view caption;
    FrameKind frame;
    bool minimizeButton = false;
    bool maximizeButton = false;
    bool applicationIcon = false;
    bool centredOnOwner = false; // otherwise the client area starts at client.x, client.y
    TwipsRect client;
    std::span<const ControlDesign> controls;

    // The control named `controlName`; every name asked for is in the design.
    const ControlDesign& control(std::string_view controlName) const;
    // Every control in the order of their tab indexes, which is the order the Tab key follows.
    std::vector<const ControlDesign*> tabOrder() const;
};

// A rectangle on the screen, in pixels.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Where a window of `width` by `height` pixels goes when its design centres it on its owner:
// centred on `owner`, then moved back into `workArea` (the owner's screen without its task bars)
// where it would stand out, its top-left corner kept inside when it is larger than the area.
// The rectangles are of one kind: whole windows, or client areas.
PixelRect centredOnOwner(int width, int height, const PixelRect& owner,
                         const std::optional<PixelRect>& workArea);

// One entry of the menu tree. Entries come in menu-bar and item order, each after its parent.
struct MenuDesign {
    MenuItem item;
    std::string_view name;
    std::optional<MenuItem> parent; // none: on the menu bar
    std::u16string_view caption;    // "&" marks the access key
    bool submenu = false;
    bool checkable = false; // an item that shows a check mark when set
    bool checked = false;   // the design state; every item starts enabled and visible
    char16_t ctrlKey = 0;   // the item's shortcut, this letter with Ctrl; 0 for none
};

// The text a menu shows for an item's shortcut ("Ctrl+F"); empty for an item without one.
std::u16string shortcutText(const MenuDesign& entry);

const WindowDesign& lookupWindowDesign(); // `frmZELK`
const WindowDesign& textEditorDesign();   // `frmText`
const WindowDesign& aboutWindowDesign();  // `frmAbout`
std::span<const MenuDesign> lookupMenuTree();

// The title of the message boxes that name no title of their own.
inline constexpr std::u16string_view kApplicationTitle = u"ZELK_Win";
// The Yes and No buttons of the questions, in the questions' language whatever the system's.
inline constexpr std::u16string_view kYesCaption = u"はい(&Y)";
inline constexpr std::u16string_view kNoCaption = u"いいえ(&N)";

class LookupWindowLogic;
class MemberFind;
// Runs the handler of a menu command; the submenus have none and do nothing. Every command but the
// find's own closes an open find first.
void runMenuCommand(LookupWindowLogic& logic, MemberFind& find, MenuItem item);

#pragma once

#include "LookupView.h"

#include <optional>
#include <span>
#include <string_view>

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
};

// One entry of the menu tree. Entries come in menu-bar and item order, each after its parent.
struct MenuDesign {
    MenuItem item;
    std::string_view name;
    std::optional<MenuItem> parent; // none: on the menu bar
    std::u16string_view caption;    // "&" marks the access key
    bool submenu = false;
    bool checkable = false; // an item that shows a check mark when set
    bool checked = false;   // the design state; every item starts enabled and visible
};

const WindowDesign& lookupWindowDesign(); // `frmZELK`
const WindowDesign& textEditorDesign();   // `frmText`
const WindowDesign& aboutWindowDesign();  // `frmAbout`
std::span<const MenuDesign> lookupMenuTree();

// The title of the message boxes that name no title of their own.
inline constexpr std::u16string_view kApplicationTitle = u"ZELK_Win";

class LookupWindowLogic;
// Runs the handler of a menu command; the submenus have none and do nothing.
void runMenuCommand(LookupWindowLogic& logic, MenuItem item);

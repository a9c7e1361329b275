#pragma once

#include "ZelkExitStatus.h"

#include <cstdint>
#include <filesystem>
#include <string>

// Every entry of the lookup window's menu bar: the two menus, the submenu and the commands.
// The window design keys its menu table by it, the logic sets captions, marks and visibility by
// it, and each platform maps its own command identifiers to it.
enum class MenuItem {
    mnuset,
    mnuedit,
    mnuptarea,
    mnuexcel,
    mnucopy,
    mnuT,
    mnuW,
    mnuP,
    mnufind,
    mnuh,
    mnuhelp,
    mnuver,
};

// What the lookup window's logic needs of the window: the group box, the member list, the value
// strip, the menu items and the window itself. Each platform's window implements it; tests
// implement it with a double, so the logic runs without a display.
//
// Sizes are in the window's pixels. Choosing an entry from code behaves as a choice by the user:
// setGroupIndex runs the group-selection handler, setMemberIndex the member-selection handler,
// before they return.
class LookupView {
public:
    virtual ~LookupView() = default;

    // Group box `cmbmem`.
    virtual void clearGroups() = 0;
    virtual void addGroup(const std::u16string& name) = 0;
    virtual void setGroupIndex(int index) = 0;
    virtual int groupIndex() const = 0; // -1 when nothing is selected
    virtual int groupBoxHeight() const = 0;
    virtual void setGroupBoxWidth(int width) = 0;

    // Member list `lstnum`.
    virtual void clearMembers() = 0;
    virtual void addMember(const std::u16string& name) = 0;
    virtual void setMemberIndex(int index) = 0;
    virtual int memberIndex() const = 0; // -1 when nothing is selected
    virtual void setMemberListHeight(int height) = 0;
    virtual void setMemberListWidth(int width) = 0;

    // The strip `Picture1` and its value label `lblW`.
    virtual int stripInnerHeight() const = 0;
    virtual void setValueLabel(const std::u16string& text) = 0;

    // Menu items.
    virtual void setMenuCaption(MenuItem item, const std::u16string& caption) = 0;
    virtual void setMenuVisible(MenuItem item, bool visible) = 0;
    virtual void setMenuChecked(MenuItem item, bool checked) = 0;

    // The window.
    virtual void setCaption(const std::u16string& caption) = 0;
    virtual int innerWidth() const = 0;
    virtual int innerHeight() const = 0;
    virtual bool isMinimized() const = 0;
    // Places the window above all others, or takes it out of that layer again.
    virtual void setStayOnTop(bool above) = 0;
    // An OK-only message box with the application's title; returns when the user has closed it.
    virtual void showMessage(const std::u16string& text) = 0;
    // The same with a title of its own.
    virtual void showCaptionedMessage(std::u16string_view caption, const std::u16string& text) = 0;

    // Modal windows: each call returns when its window has closed.
    // The catalogue text editor on `dataFileName`; returns the catalogue path afterwards, another
    // one when the user saved under another name.
    virtual std::filesystem::path showTextEditor(const std::filesystem::path& dataFileName) = 0;
    virtual void showAboutWindow() = 0;

    // Asks the desktop to open the help page that lies beside the program; reports nothing.
    virtual void openHelpPage() = 0;
    // Closes the window; its close request runs like any other.
    virtual void closeWindow() = 0;
    // Ends the process at once, without any further event.
    virtual void endProcess(ZelkExitStatus status) = 0;
};

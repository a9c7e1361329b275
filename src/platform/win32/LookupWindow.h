#pragma once

#include "Win32Design.h"
#include "forms/FindView.h"
#include "forms/LookupView.h"
#include "forms/LookupWindowLogic.h"
#include "forms/MemberFind.h"

#include <windows.h>

#include <map>
#include <optional>
#include <vector>

class TransferSink;

// The menu command identifier of an entry of the lookup window's menu tree.
inline constexpr int kFirstMenuCommand = 1000;
inline int menuCommandId(MenuItem item) {
    return kFirstMenuCommand + int(item);
}

// The lookup window `frmZELK`, of window class "frmZELK", built from its design: the group box,
// the member list, the value strip along the bottom and the menu bar, and the find's field and
// result list, which take the places of the two lists while the find is open. Its behaviour is
// LookupWindowLogic's and MemberFind's; the window procedure turns messages into their handlers,
// and the LookupView and FindView methods carry out what they ask of the window.
class LookupWindow final : private LookupView, private FindView {
public:
    explicit LookupWindow(TransferSink& transferSink);
    ~LookupWindow() override;

    // Creates the window, hidden, with its client area where the design places it. False when
    // the system refuses.
    bool create();
    HWND handle() const { return m_hwnd; }
    LookupWindowLogic& logic() { return m_logic; }
    // The message loop's first step: turns a key meant for this window into a command, the menu's
    // shortcuts always and the find's keys while it is open. True when `message` became one.
    bool translateKeys(MSG& message);

private:
    static LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Message handlers.
    void onCreate();
    void onSize(WPARAM kind);
    void onCommand(WPARAM wParam, LPARAM lParam);
    void onClose();
    void onDpiChanged(UINT dpi, const RECT& suggested);
    void onActivate(WORD state);
    void onSetFocus();
    void onFindKey(int command);
    void onMeasureItem(MEASUREITEMSTRUCT& item);
    void onDrawItem(const DRAWITEMSTRUCT& item);

    // LookupView
    void clearGroups() override;
    void addGroup(const std::u16string& name) override;
    void setGroupIndex(int index) override;
    int groupIndex() const override;
    int groupBoxHeight() const override;
    void setGroupBoxWidth(int width) override;
    void clearMembers() override;
    void addMember(const std::u16string& name) override;
    int memberIndex() const override;
    void setMemberListHeight(int height) override;
    void setMemberListWidth(int width) override;
    void setMemberIndex(int index) override;
    int stripInnerHeight() const override;
    void setValueLabel(const std::u16string& text) override;
    void setMenuCaption(MenuItem item, const std::u16string& caption) override;
    void setMenuVisible(MenuItem item, bool visible) override;
    void setMenuChecked(MenuItem item, bool checked) override;
    void setCaption(const std::u16string& caption) override;
    int innerWidth() const override;
    int innerHeight() const override;
    bool isMinimized() const override;
    void setStayOnTop(bool above) override;
    void showMessage(const std::u16string& text) override;
    void showCaptionedMessage(std::u16string_view caption, const std::u16string& text) override;
    std::filesystem::path showTextEditor(const std::filesystem::path& dataFileName) override;
    void showAboutWindow() override;
    void openHelpPage() override;
    void closeWindow() override;
    void endProcess(ZelkExitStatus status) override;

    // FindView
    void showFind() override;
    void hideFind(FindEnd end) override;
    void selectFindText() override;
    void setFindResults(const std::vector<FindRow>& rows) override;
    void setCurrentFindResult(int index) override;

    void createFind();
    // The find's font and the height of its two-line rows, at the window's resolution.
    void applyFindFont();
    int findRowHeight() const;
    // The find's controls where the lists are.
    void placeFind();
    void buildMenuBar();
    void dockStrip();
    void placeAtDesign();
    void resizeControl(HWND control, int width, int height);

    // What the menu bar shows of an entry; Win32 menus have no hidden items, so a hidden entry is
    // left out when the bar is built.
    struct MenuState {
        std::u16string caption;
        bool checked = false;
        bool visible = true;
    };
    // Where an entry stands in the menus as built.
    struct MenuPlace {
        HMENU menu = nullptr;
        UINT position = 0;
    };
    std::optional<MenuPlace> menuPlace(MenuItem item) const;

    HWND m_hwnd = nullptr;
    UINT m_dpi = USER_DEFAULT_SCREEN_DPI;
    std::vector<DesignControl> m_controls;
    HWND m_cmbmem = nullptr;
    HWND m_lstnum = nullptr;
    HWND m_Picture1 = nullptr;
    DesignControl* m_lblW = nullptr;
    HWND m_lastFocus = nullptr;
    HWND m_findField = nullptr;
    HWND m_findList = nullptr;
    FontHandle m_findFont;
    std::vector<FindRow> m_findRows;
    HWND m_focusBeforeFind = nullptr;
    // The menu's shortcuts, and the find's keys: Up, Down, Enter, Escape and Tab.
    AcceleratorHandle m_menuKeys;
    AcceleratorHandle m_findKeys;
    std::map<MenuItem, MenuState> m_menuStates;
    std::map<MenuItem, MenuPlace> m_menuPlaces;
    LookupWindowLogic m_logic;
    MemberFind m_find{*this, m_logic};
};

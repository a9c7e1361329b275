#pragma once

#include "Win32Design.h"
#include "forms/LookupView.h"
#include "forms/LookupWindowLogic.h"

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
// the member list, the value strip along the bottom and the menu bar. Its behaviour is
// LookupWindowLogic's; the window procedure turns messages into the logic's handlers, and the
// LookupView methods carry out what the logic asks of the window.
class LookupWindow final : private LookupView {
public:
    explicit LookupWindow(TransferSink& transferSink);
    ~LookupWindow() override;

    // Creates the window, hidden, with its client area where the design places it. False when
    // the system refuses.
    bool create();
    HWND handle() const { return m_hwnd; }
    LookupWindowLogic& logic() { return m_logic; }

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
    std::map<MenuItem, MenuState> m_menuStates;
    std::map<MenuItem, MenuPlace> m_menuPlaces;
    LookupWindowLogic m_logic;
};

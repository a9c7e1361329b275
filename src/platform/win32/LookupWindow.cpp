#include "LookupWindow.h"

#include "AboutWindow.h"
#include "SystemFunction.h"
#include "TextEditorWindow.h"
#include "Win32Text.h"
#include "forms/HelpPage.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>

namespace {

constexpr wchar_t kClassName[] = L"frmZELK";
// A sizing border, the system menu and the minimize button; no maximize button.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;

std::optional<MenuItem> menuItemOfCommand(int id) {
    for (const MenuDesign& entry : lookupMenuTree()) {
        if (!entry.submenu && menuCommandId(entry.item) == id)
            return entry.item;
    }
    return std::nullopt;
}

// A menu item's text: its caption and, after a tab, its shortcut, which the menu aligns on the right.
std::u16string menuText(MenuItem item, const std::u16string& caption) {
    for (const MenuDesign& entry : lookupMenuTree()) {
        if (entry.item == item && entry.ctrlKey)
            return caption + u'\t' + shortcutText(entry);
    }
    return caption;
}

// The control identifiers of the find's field and result list, after the design's controls.
constexpr int kFindFieldId = 200;
constexpr int kFindListId = 201;

// The commands of the find's keys, after the menu's.
enum class FindKey : WORD {
    Up = 2000,
    Down,
    Pick,
    Cancel,
    Stay, // Tab: the focus stays in the find while it is open
};

ACCEL findKey(WORD key, FindKey command, BYTE modifiers = 0) {
    return {BYTE(FVIRTKEY | modifiers), key, WORD(command)};
}

} // namespace

LookupWindow::LookupWindow(TransferSink& transferSink) : m_logic(*this, transferSink) {
    for (const MenuDesign& entry : lookupMenuTree())
        m_menuStates[entry.item] = {std::u16string(entry.caption), entry.checked, true};
}

LookupWindow::~LookupWindow() {
    if (m_hwnd)
        DestroyWindow(m_hwnd);
}

bool LookupWindow::create() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = applicationIcon(SM_CXICON, GetDpiForSystem());
    windowClass.hIconSm = applicationIcon(SM_CXSMICON, GetDpiForSystem());
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
    const std::u16string caption(lookupWindowDesign().caption);
    CreateWindowExW(0, kClassName, wide(caption), kStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, nullptr, nullptr, instance, this);
    return m_hwnd != nullptr;
}

LRESULT CALLBACK LookupWindow::windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* window = static_cast<LookupWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        window->m_hwnd = hwnd;
        setWindowObject(hwnd, window);
    }
    if (LookupWindow* window = windowObject<LookupWindow>(hwnd))
        return window->handleMessage(message, wParam, lParam);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT LookupWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        onCreate();
        return 0;
    case WM_SIZE:
        onSize(wParam);
        return 0;
    case WM_COMMAND:
        onCommand(wParam, lParam);
        return 0;
    case WM_CLOSE:
        onClose();
        return 0;
    case WM_DESTROY:
        setWindowObject(m_hwnd, nullptr);
        m_hwnd = nullptr;
        PostQuitMessage(0);
        return 0;
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_CTLCOLORSTATIC:
        if (HBRUSH brush =
                colourLabel(m_controls, reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_ACTIVATE:
        onActivate(LOWORD(wParam));
        break;
    case WM_SETFOCUS:
        onSetFocus();
        return 0;
    case WM_MEASUREITEM:
        onMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

void LookupWindow::onCreate() {
    m_dpi = GetDpiForWindow(m_hwnd);
    m_controls = createDesignControls(m_hwnd, lookupWindowDesign(), m_dpi);
    m_cmbmem = findControl(m_controls, "cmbmem").window;
    m_lstnum = findControl(m_controls, "lstnum").window;
    m_Picture1 = findControl(m_controls, "Picture1").window;
    m_lblW = &findControl(m_controls, "lblW");
    createFind();
    buildMenuBar();
    placeAtDesign();
}

void LookupWindow::createFind() {
    std::vector<ACCEL> menuKeys;
    for (const MenuDesign& entry : lookupMenuTree()) {
        if (entry.ctrlKey)
            menuKeys.push_back({FVIRTKEY | FCONTROL, WORD(entry.ctrlKey), WORD(menuCommandId(entry.item))});
    }
    m_menuKeys = createAccelerators(menuKeys);
    m_findKeys = createAccelerators({findKey(VK_UP, FindKey::Up), findKey(VK_DOWN, FindKey::Down),
                                     findKey(VK_RETURN, FindKey::Pick), findKey(VK_ESCAPE, FindKey::Cancel),
                                     findKey(VK_TAB, FindKey::Stay), findKey(VK_TAB, FindKey::Stay, FSHIFT)});

    const HINSTANCE instance = GetModuleHandleW(nullptr);
    m_findField = CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, L"", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 0, 0,
                                  m_hwnd, reinterpret_cast<HMENU>(INT_PTR(kFindFieldId)), instance, nullptr);
    const std::u16string placeholder(kFindPlaceholder);
    SendMessageW(m_findField, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(wide(placeholder)));
    // Rows of two lines, drawn by the window; the items' texts are the designations.
    m_findList = CreateWindowExW(
        WS_EX_CLIENTEDGE, WC_LISTBOXW, L"",
        WS_CHILD | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, 0, 0,
        0, 0, m_hwnd, reinterpret_cast<HMENU>(INT_PTR(kFindListId)), instance, nullptr);
    applyFindFont();
}

void LookupWindow::applyFindFont() {
    m_findFont = createDesignFont(std::nullopt, m_dpi);
    setControlFont(m_findField, m_findFont.get());
    setControlFont(m_findList, m_findFont.get());
    SendMessageW(m_findList, LB_SETITEMHEIGHT, 0, findRowHeight());
}

int LookupWindow::findRowHeight() const {
    return 2 * textExtent(m_findField, m_findFont.get(), u"Ｈ").cy + designPixels(60, m_dpi);
}

void LookupWindow::placeFind() {
    for (const auto& [list, find] : {std::pair{m_cmbmem, m_findField}, std::pair{m_lstnum, m_findList}}) {
        // A drop-down list's window rectangle leaves its open list out.
        RECT rect{};
        GetWindowRect(list, &rect);
        MapWindowPoints(nullptr, m_hwnd, reinterpret_cast<POINT*>(&rect), 2);
        MoveWindow(find, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    }
}

void LookupWindow::placeAtDesign() {
    const RECT client = designRect(lookupWindowDesign().client, m_dpi);
    const RECT frame = windowRectForClient(client, kStyle, 0, true, m_dpi);
    SetWindowPos(m_hwnd, nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void LookupWindow::onSize(WPARAM kind) {
    if (kind != SIZE_MINIMIZED)
        dockStrip();
    m_logic.Form_Resize();
    placeFind();
}

void LookupWindow::dockStrip() {
    RECT client{};
    GetClientRect(m_hwnd, &client);
    const int height = designPixels(lookupWindowDesign().control("Picture1").rect.height, m_dpi);
    MoveWindow(m_Picture1, 0, client.bottom - height, client.right, height, TRUE);
}

void LookupWindow::onCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int notification = HIWORD(wParam);
    if (lParam == 0) {
        if (const std::optional<MenuItem> item = menuItemOfCommand(id))
            runMenuCommand(m_logic, m_find, *item);
        else
            onFindKey(id);
        return;
    }
    const auto control = reinterpret_cast<HWND>(lParam);
    if (control == m_cmbmem && notification == CBN_SELCHANGE)
        m_logic.cmbmem_Click();
    // Only a selection counts as a choice; the list reports none for a click beside its items.
    else if (control == m_lstnum && notification == LBN_SELCHANGE && memberIndex() >= 0)
        m_logic.lstnum_Click();
    else if (control == m_findField && notification == EN_CHANGE)
        m_find.textChanged(windowText(m_findField));
    else if (control == m_findList && (notification == LBN_SELCHANGE || notification == LBN_DBLCLK)) {
        const int row = int(SendMessageW(m_findList, LB_GETCURSEL, 0, 0));
        // The keys stay in the field, whatever the mouse does in the list.
        SetFocus(m_findField);
        if (notification == LBN_DBLCLK)
            m_find.pickAt(row);
        else
            m_find.setCurrent(row);
    }
}

bool LookupWindow::translateKeys(MSG& message) {
    if (!m_hwnd || (message.hwnd != m_hwnd && !IsChild(m_hwnd, message.hwnd)))
        return false;
    return TranslateAcceleratorW(m_hwnd, m_menuKeys.get(), &message) ||
           (m_find.isOpen() && TranslateAcceleratorW(m_hwnd, m_findKeys.get(), &message));
}

void LookupWindow::onFindKey(int command) {
    switch (FindKey(command)) {
    case FindKey::Up:
        return m_find.moveCurrent(-1);
    case FindKey::Down:
        return m_find.moveCurrent(1);
    case FindKey::Pick:
        return m_find.pick();
    case FindKey::Cancel:
        return m_find.cancel();
    case FindKey::Stay:
        return;
    }
}

void LookupWindow::onMeasureItem(MEASUREITEMSTRUCT& item) {
    // Asked as the list is made, before it has a font; the font sets the height again.
    if (item.CtlID == kFindListId && m_findFont)
        item.itemHeight = UINT(findRowHeight());
}

void LookupWindow::onDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.hwndItem != m_findList || item.itemID >= m_findRows.size())
        return;
    const FindRow& row = m_findRows[item.itemID];
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const HGDIOBJ previousFont = SelectObject(item.hDC, m_findFont.get());
    SetBkMode(item.hDC, TRANSPARENT);
    const int middle = (item.rcItem.top + item.rcItem.bottom) / 2;
    const auto drawLine = [&](const std::u16string& text, int colour, LONG top, LONG bottom) {
        RECT line{item.rcItem.left + designPixels(30, m_dpi), top, item.rcItem.right, bottom};
        SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : colour));
        DrawTextW(item.hDC, wide(text), int(text.size()), &line,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    };
    // The designation, and under it the group and the remark in the quieter colour.
    drawLine(row.designation, COLOR_WINDOWTEXT, item.rcItem.top, middle);
    drawLine(row.detail, COLOR_GRAYTEXT, middle, item.rcItem.bottom);
    SelectObject(item.hDC, previousFont);
}

void LookupWindow::onClose() {
    m_logic.Form_QueryUnload();
    DestroyWindow(m_hwnd);
}

void LookupWindow::onDpiChanged(UINT dpi, const RECT& suggested) {
    m_dpi = dpi;
    for (DesignControl& control : m_controls)
        control.applyDesign(dpi);
    applyFindFont();
    // The value label keeps its text, set after the design's.
    m_lblW->fitToText();
    SetWindowPos(m_hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // The strip and the lists follow through WM_SIZE; at the same size they need it done here.
    dockStrip();
    m_logic.Form_Resize();
}

void LookupWindow::onActivate(WORD state) {
    if (state == WA_INACTIVE)
        m_lastFocus = GetFocus();
}

void LookupWindow::onSetFocus() {
    // The window itself takes no keys: the focus goes back to the control that had it, at first
    // to the group box, the first in the tab order.
    SetFocus(m_lastFocus && IsChild(m_hwnd, m_lastFocus) ? m_lastFocus : m_cmbmem);
}

void LookupWindow::buildMenuBar() {
    HMENU bar = CreateMenu();
    std::map<MenuItem, HMENU> submenus;
    m_menuPlaces.clear();
    for (const MenuDesign& entry : lookupMenuTree()) {
        const MenuState& state = m_menuStates.at(entry.item);
        HMENU parent = bar;
        if (entry.parent) {
            const auto found = submenus.find(*entry.parent);
            if (found == submenus.end())
                continue; // inside a hidden submenu
            parent = found->second;
        }
        if (!state.visible)
            continue;
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE;
        info.wID = UINT(menuCommandId(entry.item));
        const std::u16string text = menuText(entry.item, state.caption);
        info.dwTypeData = const_cast<wchar_t*>(wide(text));
        info.fState = state.checked ? MFS_CHECKED : MFS_UNCHECKED;
        if (entry.submenu) {
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = CreatePopupMenu();
            submenus[entry.item] = info.hSubMenu;
        }
        const UINT position = UINT(GetMenuItemCount(parent));
        InsertMenuItemW(parent, position, TRUE, &info);
        m_menuPlaces[entry.item] = {parent, position};
    }
    HMENU previous = GetMenu(m_hwnd);
    SetMenu(m_hwnd, bar);
    if (previous)
        DestroyMenu(previous);
}

std::optional<LookupWindow::MenuPlace> LookupWindow::menuPlace(MenuItem item) const {
    const auto found = m_menuPlaces.find(item);
    if (found == m_menuPlaces.end())
        return std::nullopt;
    return found->second;
}

void LookupWindow::resizeControl(HWND control, int width, int height) {
    SetWindowPos(control, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void LookupWindow::clearGroups() {
    SendMessageW(m_cmbmem, CB_RESETCONTENT, 0, 0);
}

void LookupWindow::addGroup(const std::u16string& name) {
    SendMessageW(m_cmbmem, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(name)));
}

void LookupWindow::setGroupIndex(int index) {
    // Choosing from code sends no notification; the handler runs as for a choice by the user.
    SendMessageW(m_cmbmem, CB_SETCURSEL, WPARAM(index), 0);
    m_logic.cmbmem_Click();
}

int LookupWindow::groupIndex() const {
    return int(SendMessageW(m_cmbmem, CB_GETCURSEL, 0, 0));
}

int LookupWindow::groupBoxHeight() const {
    // The closed box: a drop-down list's window rectangle leaves its list out.
    RECT rect{};
    GetWindowRect(m_cmbmem, &rect);
    return rect.bottom - rect.top;
}

void LookupWindow::setGroupBoxWidth(int width) {
    // The height to keep is the window height with the open list.
    resizeControl(m_cmbmem, width, controlWindowHeight(lookupWindowDesign().control("cmbmem"), m_dpi));
}

void LookupWindow::clearMembers() {
    SendMessageW(m_lstnum, LB_RESETCONTENT, 0, 0);
}

void LookupWindow::addMember(const std::u16string& name) {
    SendMessageW(m_lstnum, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(name)));
}

void LookupWindow::setMemberIndex(int index) {
    // Choosing from code sends no notification; the handler runs as for a choice by the user.
    SendMessageW(m_lstnum, LB_SETCURSEL, WPARAM(index), 0);
    m_logic.lstnum_Click();
}

int LookupWindow::memberIndex() const {
    return int(SendMessageW(m_lstnum, LB_GETCURSEL, 0, 0));
}

void LookupWindow::setMemberListHeight(int height) {
    RECT rect{};
    GetWindowRect(m_lstnum, &rect);
    resizeControl(m_lstnum, rect.right - rect.left, height);
}

void LookupWindow::setMemberListWidth(int width) {
    RECT rect{};
    GetWindowRect(m_lstnum, &rect);
    resizeControl(m_lstnum, width, rect.bottom - rect.top);
}

int LookupWindow::stripInnerHeight() const {
    RECT rect{};
    GetClientRect(m_Picture1, &rect);
    return rect.bottom;
}

void LookupWindow::setValueLabel(const std::u16string& text) {
    // The label grows to the right with its text; the strip cuts off what does not fit.
    setWindowText(m_lblW->window, text);
    m_lblW->fitToText();
}

void LookupWindow::setMenuCaption(MenuItem item, const std::u16string& caption) {
    m_menuStates.at(item).caption = caption;
    if (const std::optional<MenuPlace> place = menuPlace(item)) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING;
        const std::u16string text = menuText(item, caption);
        info.dwTypeData = const_cast<wchar_t*>(wide(text));
        SetMenuItemInfoW(place->menu, place->position, TRUE, &info);
        DrawMenuBar(m_hwnd);
    }
}

void LookupWindow::setMenuVisible(MenuItem item, bool visible) {
    MenuState& state = m_menuStates.at(item);
    if (state.visible == visible)
        return;
    state.visible = visible;
    buildMenuBar();
}

void LookupWindow::setMenuChecked(MenuItem item, bool checked) {
    m_menuStates.at(item).checked = checked;
    if (const std::optional<MenuPlace> place = menuPlace(item))
        CheckMenuItem(place->menu, place->position, MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void LookupWindow::setCaption(const std::u16string& caption) {
    setWindowText(m_hwnd, caption);
}

int LookupWindow::innerWidth() const {
    RECT rect{};
    GetClientRect(m_hwnd, &rect);
    return rect.right;
}

int LookupWindow::innerHeight() const {
    RECT rect{};
    GetClientRect(m_hwnd, &rect);
    return rect.bottom;
}

bool LookupWindow::isMinimized() const {
    return IsIconic(m_hwnd);
}

void LookupWindow::setStayOnTop(bool above) {
    SetWindowPos(m_hwnd, above ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void LookupWindow::showMessage(const std::u16string& text) {
    showMessageBox(m_hwnd, text);
}

void LookupWindow::showCaptionedMessage(std::u16string_view caption, const std::u16string& text) {
    showMessageBox(m_hwnd, text, caption);
}

std::filesystem::path LookupWindow::showTextEditor(const std::filesystem::path& dataFileName) {
    TextEditorWindow editor(dataFileName);
    editor.showModal(m_hwnd);
    return editor.dataFileName();
}

void LookupWindow::showAboutWindow() {
    AboutWindow about;
    about.showModal(m_hwnd);
}

void LookupWindow::openHelpPage() {
    // A Windows installation keeps its data beside the program; nothing is reported.
    const std::wstring page = helpPageBeside(programFolder()).native();
    const std::wstring currentDirectory = std::filesystem::current_path().native();
    if (shellExecute())
        shellExecute()(m_hwnd, L"open", page.c_str(), nullptr, currentDirectory.c_str(), SW_SHOW);
}

void LookupWindow::closeWindow() {
    SendMessageW(m_hwnd, WM_CLOSE, 0, 0);
}

void LookupWindow::endProcess(ZelkExitStatus status) {
    std::fflush(nullptr);
    // At once: no further message, no clean-up that could run code of the window.
    ExitProcess(UINT(status));
}

void LookupWindow::showFind() {
    m_focusBeforeFind = GetFocus();
    setWindowText(m_findField, {});
    SendMessageW(m_findList, LB_RESETCONTENT, 0, 0);
    placeFind();
    ShowWindow(m_findField, SW_SHOW);
    ShowWindow(m_findList, SW_SHOW);
    SetFocus(m_findField);
    ShowWindow(m_cmbmem, SW_HIDE);
    ShowWindow(m_lstnum, SW_HIDE);
}

void LookupWindow::hideFind(FindEnd end) {
    ShowWindow(m_cmbmem, SW_SHOW);
    ShowWindow(m_lstnum, SW_SHOW);
    const bool back = end == FindEnd::Cancelled && m_focusBeforeFind && IsChild(m_hwnd, m_focusBeforeFind);
    SetFocus(back ? m_focusBeforeFind : m_lstnum);
    ShowWindow(m_findField, SW_HIDE);
    ShowWindow(m_findList, SW_HIDE);
    SendMessageW(m_findList, LB_RESETCONTENT, 0, 0);
    m_findRows.clear();
}

void LookupWindow::selectFindText() {
    SendMessageW(m_findField, EM_SETSEL, 0, -1);
    SetFocus(m_findField);
}

void LookupWindow::setFindResults(const std::vector<FindRow>& rows) {
    m_findRows = rows;
    SendMessageW(m_findList, WM_SETREDRAW, FALSE, 0);
    SendMessageW(m_findList, LB_RESETCONTENT, 0, 0);
    for (const FindRow& row : rows)
        SendMessageW(m_findList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(row.designation)));
    SendMessageW(m_findList, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_findList, nullptr, TRUE);
}

void LookupWindow::setCurrentFindResult(int index) {
    SendMessageW(m_findList, LB_SETCURSEL, WPARAM(index), 0);
}

#include "LookupWindow.h"

#include "AboutWindow.h"
#include "SystemFunction.h"
#include "TextEditorWindow.h"
#include "Win32Text.h"
#include "forms/HelpPage.h"

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
    buildMenuBar();
    placeAtDesign();
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
            runMenuCommand(m_logic, *item);
        return;
    }
    const auto control = reinterpret_cast<HWND>(lParam);
    if (control == m_cmbmem && notification == CBN_SELCHANGE)
        m_logic.cmbmem_Click();
    // Only a selection counts as a choice; the list reports none for a click beside its items.
    else if (control == m_lstnum && notification == LBN_SELCHANGE && memberIndex() >= 0)
        m_logic.lstnum_Click();
}

void LookupWindow::onClose() {
    m_logic.Form_QueryUnload();
    DestroyWindow(m_hwnd);
}

void LookupWindow::onDpiChanged(UINT dpi, const RECT& suggested) {
    m_dpi = dpi;
    for (DesignControl& control : m_controls)
        control.applyDesign(dpi);
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
        info.dwTypeData = const_cast<wchar_t*>(wide(state.caption));
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
        info.dwTypeData = const_cast<wchar_t*>(wide(caption));
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

#include "AboutWindow.h"

#include "Win32Text.h"

namespace {

// A fixed dialog frame with the system menu: no sizing border, no minimize or maximize button.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

void destroyIcon(HICON& icon) {
    if (icon)
        DestroyIcon(icon);
    icon = nullptr;
}

} // namespace

AboutWindow::~AboutWindow() {
    destroyIcon(m_windowIcon);
    destroyIcon(m_smallIcon);
    destroyIcon(m_buttonIcon);
}

void AboutWindow::showModal(HWND owner) {
    runModalDialog(owner, kStyle, modalDialogProcedure<AboutWindow>, reinterpret_cast<LPARAM>(this));
}

INT_PTR AboutWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        onInitDialog();
        return TRUE; // the focus to the first control that takes it: Command1
    case WM_COMMAND:
        onCommand(wParam);
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<INT_PTR>(
            colourLabel(m_controls, reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)));
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return TRUE;
    }
    return FALSE;
}

void AboutWindow::onInitDialog() {
    const WindowDesign& design = aboutWindowDesign();
    const UINT dpi = GetDpiForWindow(m_hwnd);
    setWindowText(m_hwnd, std::u16string(design.caption));
    m_controls = createDesignControls(m_hwnd, design, dpi);
    m_Command1 = findControl(m_controls, "Command1").window;
    applyIcons(dpi);
    const RECT frame = windowRectForClient(designRect(design.client, dpi), kStyle,
                                           DWORD(GetWindowLongPtrW(m_hwnd, GWL_EXSTYLE)), false, dpi);
    SetWindowPos(m_hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    centreOnOwner(m_hwnd, GetWindow(m_hwnd, GW_OWNER));
}

void AboutWindow::applyIcons(UINT dpi) {
    destroyIcon(m_windowIcon);
    destroyIcon(m_smallIcon);
    destroyIcon(m_buttonIcon);
    m_windowIcon = applicationIcon(SM_CXICON, dpi);
    m_smallIcon = applicationIcon(SM_CXSMICON, dpi);
    m_buttonIcon = applicationIcon(SM_CXICON, dpi);
    SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_windowIcon));
    SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon));
    SendMessageW(m_Command1, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(m_buttonIcon));
}

void AboutWindow::onCommand(WPARAM wParam) {
    const int id = LOWORD(wParam);
    if (id == GetDlgCtrlID(m_Command1) && HIWORD(wParam) == BN_CLICKED)
        Command1_Click(*this);
    // The close box, the system menu, Alt+F4 and Esc.
    else if (id == IDCANCEL)
        closeWindow();
}

void AboutWindow::onDpiChanged(UINT dpi, const RECT& suggested) {
    for (DesignControl& control : m_controls)
        control.applyDesign(dpi);
    applyIcons(dpi);
    SetWindowPos(m_hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void AboutWindow::closeWindow() {
    EndDialog(m_hwnd, 0);
}

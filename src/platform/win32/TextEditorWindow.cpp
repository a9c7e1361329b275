#include "TextEditorWindow.h"

#include "SystemFunction.h"
#include "Win32Text.h"

#include <commdlg.h>

namespace {

// A sizing border, the system menu, the minimize and the maximize button.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

// The edit control separates lines by CR LF, the editor's text by LF.
std::u16string replaceAll(std::u16string text, std::u16string_view from, std::u16string_view to) {
    for (std::size_t at = text.find(from); at != std::u16string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

} // namespace

TextEditorWindow::TextEditorWindow(const std::filesystem::path& dataFileName)
    : m_editor(*this, dataFileName) {}

void TextEditorWindow::showModal(HWND owner) {
    runModalDialog(owner, kStyle, modalDialogProcedure<TextEditorWindow>, reinterpret_cast<LPARAM>(this));
}

INT_PTR TextEditorWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        onInitDialog();
        return FALSE; // the focus is set, with the caret at the start
    case WM_SIZE:
        onSize();
        return TRUE;
    case WM_COMMAND:
        onCommand(wParam);
        return TRUE;
    case WM_CLOSE:
        onClose();
        return TRUE;
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return TRUE;
    }
    return FALSE;
}

void TextEditorWindow::onInitDialog() {
    const WindowDesign& design = textEditorDesign();
    m_dpi = GetDpiForWindow(m_hwnd);
    setWindowText(m_hwnd, std::u16string(design.caption));
    m_controls = createDesignControls(m_hwnd, design, m_dpi);
    m_rtf1 = findControl(m_controls, "rtf1").window;
    // A catalogue of any size: the control's own limit is far below some files.
    SendMessageW(m_rtf1, EM_SETLIMITTEXT, 0, 0);

    const RECT frame = windowRectForClient(designRect(design.client, m_dpi), kStyle,
                                           DWORD(GetWindowLongPtrW(m_hwnd, GWL_EXSTYLE)), false, m_dpi);
    SetWindowPos(m_hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    centreOnOwner(m_hwnd, GetWindow(m_hwnd, GW_OWNER));
    onSize();

    m_editor.Form_Load();
    SetFocus(m_rtf1);
    SendMessageW(m_rtf1, EM_SETSEL, 0, 0);
}

void TextEditorWindow::onSize() {
    // The edit box covers the whole client area.
    RECT client{};
    GetClientRect(m_hwnd, &client);
    MoveWindow(m_rtf1, 0, 0, client.right, client.bottom, TRUE);
}

void TextEditorWindow::onCommand(WPARAM wParam) {
    if (LOWORD(wParam) == GetDlgCtrlID(m_rtf1) && HIWORD(wParam) == EN_CHANGE && !m_settingText)
        m_editor.rtf1_Change();
    // The editor has no buttons: IDOK and IDCANCEL, which the dialog manager makes of Enter and
    // Esc, close nothing. Only a close request (WM_CLOSE) does.
}

void TextEditorWindow::onClose() {
    if (m_editor.Form_QueryUnload())
        EndDialog(m_hwnd, 0);
}

void TextEditorWindow::onDpiChanged(UINT dpi, const RECT& suggested) {
    m_dpi = dpi;
    for (DesignControl& control : m_controls)
        control.applyDesign(dpi);
    SetWindowPos(m_hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    onSize();
}

void TextEditorWindow::setText(const std::u16string& text) {
    // Whether the control reports a change made from code differs between systems; the change is
    // reported here once, as for any other.
    m_settingText = true;
    setWindowText(m_rtf1, replaceAll(text, u"\n", u"\r\n"));
    m_settingText = false;
    m_editor.rtf1_Change();
}

std::u16string TextEditorWindow::text() const {
    return replaceAll(windowText(m_rtf1), u"\r\n", u"\n");
}

HWND TextEditorWindow::messageOwner() const {
    return IsWindowVisible(m_hwnd) ? m_hwnd : GetWindow(m_hwnd, GW_OWNER);
}

bool TextEditorWindow::askSaveChanges() {
    // Yes and No only: the box has no close box, and Esc does not answer it.
    return askYesNo(m_hwnd, std::u16string(kSaveQuestion), true, kSaveQuestionTitle);
}

bool TextEditorWindow::askToProceed(const std::u16string& text) {
    return askYesNo(messageOwner(), text, false);
}

void TextEditorWindow::showMessage(const std::u16string& text) {
    showMessageBox(messageOwner(), text);
}

std::optional<std::filesystem::path>
TextEditorWindow::askSaveFileName(const std::filesystem::path& proposed) {
    // Room for the longest path the system takes.
    std::wstring file = std::filesystem::absolute(proposed).native();
    file.resize(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = m_hwnd;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = DWORD(file.size());
    // No filter, no default extension, no title: a name typed without an extension is used as
    // typed, and the editor asks itself before replacing another file. The process's current
    // directory is where the program writes its other files: the dialog leaves it alone.
    dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
    if (!saveFileDialog() || !saveFileDialog()(&dialog))
        return std::nullopt;
    return std::filesystem::path(file.c_str());
}

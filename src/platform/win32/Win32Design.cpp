#include "Win32Design.h"

#include "Win32Resources.h"
#include "Win32Text.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

RECT designRect(const TwipsRect& rect, UINT dpi) {
    const int x = designPixels(rect.x, dpi);
    const int y = designPixels(rect.y, dpi);
    return {x, y, x + designPixels(rect.width, dpi), y + designPixels(rect.height, dpi)};
}

namespace {

// The face name as far as the structure holds it, terminated.
void setFaceName(LOGFONTW& font, std::u16string_view face) {
    const std::size_t length = std::min(face.size(), std::size(font.lfFaceName) - 1);
    std::copy_n(wide(face), length, font.lfFaceName);
    font.lfFaceName[length] = L'\0';
}

int CALLBACK noteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool faceInstalled(std::u16string_view face) {
    static std::map<std::u16string, bool, std::less<>> known;
    if (const auto it = known.find(face); it != known.end())
        return it->second;
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    setFaceName(wanted, face);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, noteFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    known.emplace(face, found);
    return found;
}

} // namespace

FontHandle createDesignFont(const std::optional<FontDesign>& font, UINT dpi) {
    const FontDesign& design = font ? *font : kInterfaceFont;
    LOGFONTW logFont{};
    if (faceInstalled(design.face)) {
        setFaceName(logFont, design.face);
        logFont.lfCharSet = DEFAULT_CHARSET;
    } else {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
        logFont = metrics.lfMessageFont;
    }
    // Negative: the size of the characters, not of the cell, as a point size means.
    logFont.lfHeight = -static_cast<LONG>(std::lround(design.pointSize * dpi / 72.0));
    logFont.lfWidth = 0;
    logFont.lfWeight = design.black ? FW_BLACK : FW_NORMAL;
    logFont.lfItalic = FALSE;
    logFont.lfUnderline = FALSE;
    logFont.lfQuality = CLEARTYPE_QUALITY;
    return FontHandle(CreateFontIndirectW(&logFont));
}

AcceleratorHandle createAccelerators(std::vector<ACCEL> keys) {
    return AcceleratorHandle(CreateAcceleratorTableW(keys.data(), int(keys.size())));
}

void setControlFont(HWND control, HFONT font) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

SIZE textExtent(HWND control, HFONT font, const std::u16string& text) {
    HDC dc = GetDC(control);
    const HGDIOBJ previous = SelectObject(dc, font);
    RECT bounds{0, 0, 0, 0};
    // An empty text still takes the height of a line.
    const std::u16string measured = text.empty() ? u" " : text;
    DrawTextW(dc, wide(measured), int(measured.size()), &bounds, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return {text.empty() ? 0 : bounds.right - bounds.left, bounds.bottom - bounds.top};
}

HICON applicationIcon(int metric, UINT dpi) {
    const int size = GetSystemMetricsForDpi(metric, dpi);
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ZELK), IMAGE_ICON, size, size, 0));
}

RECT windowRectForClient(RECT client, DWORD style, DWORD exStyle, bool menu, UINT dpi) {
    AdjustWindowRectExForDpi(&client, style, menu, exStyle, dpi);
    return client;
}

void centreOnOwner(HWND window, HWND owner) {
    const auto screenRect = [](const RECT& rect) {
        return PixelRect{int(rect.left), int(rect.top), int(rect.right - rect.left),
                         int(rect.bottom - rect.top)};
    };
    RECT ownerRect{};
    RECT rect{};
    GetWindowRect(owner, &ownerRect);
    GetWindowRect(window, &rect);
    std::optional<PixelRect> workArea;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor))
        workArea = screenRect(monitor.rcWork);
    const PixelRect placed =
        centredOnOwner(rect.right - rect.left, rect.bottom - rect.top, screenRect(ownerRect), workArea);
    SetWindowPos(window, nullptr, placed.x, placed.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR runModalDialog(HWND owner, DWORD style, DLGPROC procedure, LPARAM parameter) {
    // No menu, the dialog class, no title, no controls: the procedure does the rest.
    struct alignas(DWORD) EmptyTemplate {
        DLGTEMPLATE dialog;
        WORD menu = 0;
        WORD windowClass = 0;
        WORD title = 0;
    };
    EmptyTemplate empty{};
    empty.dialog.style = style;
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &empty.dialog, owner, procedure, parameter);
}

void setWindowObject(HWND hwnd, void* object) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
}

namespace {

// The message box takes its button captions from the system's language; the questions are
// Japanese whatever that is, so the buttons are re-captioned as the box is activated.
HHOOK yesNoHook = nullptr;

LRESULT CALLBACK captionYesNo(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        const auto box = reinterpret_cast<HWND>(wParam);
        if (GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO)) {
            SetDlgItemTextW(box, IDYES, wide(std::u16string(kYesCaption)));
            SetDlgItemTextW(box, IDNO, wide(std::u16string(kNoCaption)));
        }
    }
    return CallNextHookEx(yesNoHook, code, wParam, lParam);
}

int messageBox(HWND owner, const std::u16string& text, std::u16string_view title, UINT type) {
    const std::u16string caption(title);
    return MessageBoxW(owner, wide(text), wide(caption), type);
}

} // namespace

void showMessageBox(HWND owner, const std::u16string& text, std::u16string_view title) {
    messageBox(owner, text, title, MB_OK);
}

bool askYesNo(HWND owner, const std::u16string& text, bool yesIsDefault, std::u16string_view title) {
    yesNoHook = SetWindowsHookExW(WH_CBT, captionYesNo, nullptr, GetCurrentThreadId());
    const int answer =
        messageBox(owner, text, title, MB_YESNO | (yesIsDefault ? MB_DEFBUTTON1 : MB_DEFBUTTON2));
    UnhookWindowsHookEx(yesNoHook);
    yesNoHook = nullptr;
    return answer == IDYES;
}

std::filesystem::path programFolder() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), DWORD(name.size()));
        if (length < name.size()) {
            name.resize(length);
            break;
        }
        name.resize(name.size() * 2);
    }
    return std::filesystem::path(name).parent_path();
}

namespace {

struct ControlClass {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

ControlClass controlClass(ControlKind kind) {
    switch (kind) {
    case ControlKind::DropDownList:
        return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case ControlKind::ListBox:
        // The list takes any height the resize rule gives it, not only whole lines.
        return {WC_LISTBOXW, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::Strip:
        return {WC_STATICW, WS_CLIPCHILDREN, WS_EX_STATICEDGE};
    case ControlKind::Label:
        return {WC_STATICW, SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
    case ControlKind::RichTextBox:
        return {WC_EDITW,
                ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN | ES_NOHIDESEL | WS_VSCROLL |
                    WS_HSCROLL | WS_TABSTOP,
                WS_EX_CLIENTEDGE};
    case ControlKind::IconButton:
        return {WC_BUTTONW, BS_PUSHBUTTON | BS_ICON | WS_TABSTOP, 0};
    }
    return {WC_STATICW, 0, 0};
}

// A drop-down list's window height includes its open list: this many times the closed height.
constexpr int kDropDownLines = 12;

} // namespace

int controlWindowHeight(const ControlDesign& design, UINT dpi) {
    const int height = designPixels(design.rect.height, dpi);
    return design.kind == ControlKind::DropDownList ? height * kDropDownLines : height;
}

void DesignControl::applyDesign(UINT dpi) {
    font = createDesignFont(design->font, dpi);
    setControlFont(window, font.get());
    const RECT rect = designRect(design->rect, dpi);
    MoveWindow(window, rect.left, rect.top, rect.right - rect.left, controlWindowHeight(*design, dpi), TRUE);
    fitToText();
}

void DesignControl::fitToText() {
    if (!design->autoSize)
        return;
    const SIZE size = textExtent(window, font.get(), windowText(window));
    SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window, nullptr, TRUE);
}

std::vector<DesignControl> createDesignControls(HWND window, const WindowDesign& design, UINT dpi) {
    const std::vector<const ControlDesign*> order = design.tabOrder();
    std::vector<DesignControl> controls;
    controls.reserve(order.size());
    for (const ControlDesign* control : order) {
        HWND parent = window;
        if (!control->container.empty())
            parent = findControl(controls, control->container).window;
        const ControlClass kind = controlClass(control->kind);
        const std::u16string text(control->text);
        HWND created = CreateWindowExW(
            kind.exStyle, kind.className, wide(text), WS_CHILD | WS_VISIBLE | kind.style, 0, 0, 0, 0, parent,
            reinterpret_cast<HMENU>(INT_PTR(controlId(*control))), GetModuleHandleW(nullptr), nullptr);
        controls.push_back({control, created, nullptr});
        controls.back().applyDesign(dpi);
    }
    return controls;
}

DesignControl& findControl(std::vector<DesignControl>& controls, std::string_view name) {
    for (DesignControl& control : controls) {
        if (control.design->name == name)
            return control;
    }
    throw std::logic_error("no control " + std::string(name));
}

HBRUSH colourLabel(const std::vector<DesignControl>& controls, HWND label, HDC dc) {
    for (const DesignControl& control : controls) {
        if (control.window != label || !control.design->colour)
            continue;
        const Colour& colour = *control.design->colour;
        SetTextColor(dc, RGB(colour.red, colour.green, colour.blue));
        SetBkMode(dc, TRANSPARENT);
        return GetSysColorBrush(COLOR_BTNFACE);
    }
    return nullptr;
}

#pragma once

#include "forms/WindowDesigns.h"

#include <windows.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

// The bridge from the toolkit-free designs to Win32: design lengths at a window's resolution, the
// design fonts, the icon, modal dialogs and message boxes.

inline int designPixels(int twips, UINT dpi) {
    return twipsToPixels(twips, int(dpi));
}
RECT designRect(const TwipsRect& rect, UINT dpi);

struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

struct AcceleratorDeleter {
    void operator()(HACCEL table) const { DestroyAcceleratorTable(table); }
};
using AcceleratorHandle = std::unique_ptr<std::remove_pointer_t<HACCEL>, AcceleratorDeleter>;
// A table of shortcut keys, each a WM_COMMAND of its identifier.
AcceleratorHandle createAccelerators(std::vector<ACCEL> keys);

// The design's font at `dpi`; a control whose design names none gets the program's interface font
// (kInterfaceFont). Where the face is not installed the system's message font stands in at the
// same size: it reaches every character through the system's font linking, where a missing face
// would leave the font mapper free to pick one that shows Japanese text as boxes.
FontHandle createDesignFont(const std::optional<FontDesign>& font, UINT dpi);
void setControlFont(HWND control, HFONT font);

// The size of `text` drawn in `font`: what an auto-sized label takes.
SIZE textExtent(HWND control, HFONT font, const std::u16string& text);

// The control identifier of a designed control: its tab index, which is unique in its window,
// from kFirstControlId on.
inline constexpr int kFirstControlId = 100;
inline int controlId(const ControlDesign& design) {
    return kFirstControlId + design.tabIndex;
}

// The height of a control's window at `dpi`: a drop-down list's includes its open list.
int controlWindowHeight(const ControlDesign& design, UINT dpi);

// One control of a window, made from its design.
struct DesignControl {
    const ControlDesign* design = nullptr;
    HWND window = nullptr;
    FontHandle font;

    // The design font and rectangle at `dpi`; an auto-sized label takes the size of its text.
    void applyDesign(UINT dpi);
    // Sizes an auto-sized label to its current text.
    void fitToText();
};

// Creates the controls of `design` in `window`, each in its container, in the order of their tab
// indexes (which is the order the dialog manager's Tab key follows), with their design texts.
std::vector<DesignControl> createDesignControls(HWND window, const WindowDesign& design, UINT dpi);
DesignControl& findControl(std::vector<DesignControl>& controls, std::string_view name);

// Colours a label of `controls` as its design says (WM_CTLCOLORSTATIC); nullptr for a control
// with the default colours.
HBRUSH colourLabel(const std::vector<DesignControl>& controls, HWND label, HDC dc);

// The application icon in the size the system draws at `dpi` for `metric` (SM_CXICON or
// SM_CXSMICON). The caller destroys it.
HICON applicationIcon(int metric, UINT dpi);

// The outer rectangle of a window of `style` whose client area is `client`.
RECT windowRectForClient(RECT client, DWORD style, DWORD exStyle, bool menu, UINT dpi);

// Puts `window` centred on `owner`, within the work area of the owner's monitor.
void centreOnOwner(HWND window, HWND owner);

// A modal dialog of `style` without controls of its own: `procedure` builds them from a design
// when it receives WM_INITDIALOG with `parameter`. Returns what the dialog passed to EndDialog.
INT_PTR runModalDialog(HWND owner, DWORD style, DLGPROC procedure, LPARAM parameter);

// The object behind a window or dialog procedure: stored at its creation, fetched for every
// message after it.
template <typename Window> Window* windowObject(HWND hwnd) {
    return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}
void setWindowObject(HWND hwnd, void* object);

// The dialog procedure of a window class shown with runModalDialog: WM_INITDIALOG's parameter is
// the object, which gets its handle in m_hwnd and every message from then on in handleMessage, up
// to WM_DESTROY.
template <typename Window>
INT_PTR CALLBACK modalDialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* window = reinterpret_cast<Window*>(lParam);
        window->m_hwnd = hwnd;
        setWindowObject(hwnd, window);
    }
    Window* window = windowObject<Window>(hwnd);
    if (!window)
        return FALSE;
    const INT_PTR result = window->handleMessage(message, wParam, lParam);
    if (message == WM_DESTROY)
        setWindowObject(hwnd, nullptr);
    return result;
}

// An OK-only message box titled `title`.
void showMessageBox(HWND owner, const std::u16string& text, std::u16string_view title = kApplicationTitle);
// A Yes/No question whose buttons read kYesCaption and kNoCaption in any system language; true
// for Yes.
bool askYesNo(HWND owner, const std::u16string& text, bool yesIsDefault,
              std::u16string_view title = kApplicationTitle);

// The folder that holds the running program, without a trailing separator (a drive root keeps
// its own).
std::filesystem::path programFolder();

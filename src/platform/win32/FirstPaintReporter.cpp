#include "FirstPaintReporter.h"

#include "forms/FirstPaintTime.h"

namespace {

// The window's own procedure, which every message goes on to.
WNDPROC ownProcedure = nullptr;

LRESULT CALLBACK firstPaintProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC own = ownProcedure;
    if (message == WM_PAINT) {
        // One paint is all it waits for: the window has its own procedure back from now on.
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
        printFirstPaintTime();
    }
    return CallWindowProcW(own, window, message, wParam, lParam);
}

} // namespace

void reportFirstPaint(HWND window) {
    ownProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(firstPaintProcedure)));
}

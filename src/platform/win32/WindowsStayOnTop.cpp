#include "WindowsStayOnTop.h"

#ifdef Q_OS_WIN
#include <windows.h>

void WindowsStayOnTop::setAbove(quintptr window, bool above) {
    // Flags 3 (no size, no move) and nothing else: the window is also activated, and the result
    // is not examined.
    SetWindowPos(reinterpret_cast<HWND>(window), above ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE);
}
#endif

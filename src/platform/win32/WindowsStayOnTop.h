#pragma once

#include "StayOnTop.h"

#ifdef Q_OS_WIN
// SetWindowPos with HWND_TOPMOST or HWND_NOTOPMOST, keeping position and size.
class WindowsStayOnTop final : public StayOnTop {
public:
    void setAbove(quintptr window, bool above) override;
};
#endif

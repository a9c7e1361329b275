#pragma once

#include <QtGlobal>

// Keeps a top-level window above all other windows, or lets it go back among them. The window is
// named by its native handle (an HWND on Windows, an X11 window id on X11). A request that the
// window system refuses is not reported: the caller keeps its own record of what it asked for.
class StayOnTop {
public:
    virtual ~StayOnTop() = default;
    virtual void setAbove(quintptr window, bool above) = 0;
};

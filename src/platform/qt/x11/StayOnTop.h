#pragma once

class QWidget;

// Keeps the top-level `window` above all other windows, or lets it go back among them, without
// re-creating or showing it again. On X11 an EWMH window manager keeps it in its "above" layer
// (_NET_WM_STATE_ABOVE): a window on screen gets the request as a client message to the root
// window, as EWMH asks of clients; a window not mapped yet gets the state written into its
// _NET_WM_STATE property, which the window manager reads when the window is mapped. On a platform
// without window stacking (offscreen) nothing happens. A request that the window system refuses
// is not reported: the caller keeps its own record.
void setWindowStayOnTop(QWidget& window, bool above);

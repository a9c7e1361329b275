#include "StayOnTopFactory.h"

#include "NoStayOnTop.h"
#include "WindowsStayOnTop.h"

#include <QGuiApplication>

#if QT_CONFIG(xcb)
#include "X11StayOnTop.h"
#endif

std::unique_ptr<StayOnTop> createStayOnTop() {
#ifdef Q_OS_WIN
    return std::make_unique<WindowsStayOnTop>();
#else
#if QT_CONFIG(xcb)
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        return std::make_unique<X11StayOnTop>(x11->connection());
#endif
    return std::make_unique<NoStayOnTop>();
#endif
}

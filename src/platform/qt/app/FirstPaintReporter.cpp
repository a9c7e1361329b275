#include "FirstPaintReporter.h"

#include <QEvent>

#include <chrono>
#include <cstdio>

bool FirstPaintReporter::eventFilter(QObject* watched, QEvent* event) {
    if (!m_reported && event->type() == QEvent::Paint) {
        m_reported = true;
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        std::printf(
            "first-paint-ns %lld\n",
            static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
        std::fflush(stdout);
    }
    return QObject::eventFilter(watched, event);
}

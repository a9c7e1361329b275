#include "FirstPaintReporter.h"

#include "forms/FirstPaintTime.h"

#include <QEvent>
#include <QWidget>

namespace {

class FirstPaintFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!m_reported && event->type() == QEvent::Paint) {
            m_reported = true;
            printFirstPaintTime();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_reported = false;
};

} // namespace

void reportFirstPaint(QWidget& window) {
    // Owned by the window, so that it goes with it.
    window.installEventFilter(new FirstPaintFilter(&window));
}

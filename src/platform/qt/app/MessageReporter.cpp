#include "MessageReporter.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>

#include <cstdio>

namespace {

class MessageFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (auto* box = qobject_cast<QMessageBox*>(watched); box && event->type() == QEvent::Show) {
            std::printf("message %s\n",
                        box->text().replace(u'\n', QStringLiteral("\\n")).toUtf8().constData());
            std::fflush(stdout);
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void reportMessages() {
    // Owned by the application, so that it goes with it.
    qApp->installEventFilter(new MessageFilter(qApp));
}

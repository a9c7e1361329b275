#include "CentreOnOwner.h"

#include <QScreen>
#include <QWidget>

void centreOnOwner(QWidget& window) {
    const QWidget* owner = window.parentWidget() ? window.parentWidget()->window() : nullptr;
    if (!owner)
        return;
    QRect client(QPoint(0, 0), window.size());
    client.moveCenter(owner->geometry().center());
    if (const QScreen* screen = owner->screen()) {
        const QRect available = screen->availableGeometry();
        if (client.right() > available.right())
            client.moveRight(available.right());
        if (client.bottom() > available.bottom())
            client.moveBottom(available.bottom());
        if (client.left() < available.left())
            client.moveLeft(available.left());
        if (client.top() < available.top())
            client.moveTop(available.top());
    }
    window.setGeometry(client);
}

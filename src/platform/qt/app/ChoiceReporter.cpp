#include "ChoiceReporter.h"

#include <QLabel>
#include <QListWidget>

#include <cstdio>

void reportMemberChoices(QWidget& window) {
    auto* list = window.findChild<QListWidget*>(QStringLiteral("lstnum"));
    auto* label = window.findChild<QLabel*>(QStringLiteral("lblW"));
    if (!list || !label)
        return;
    // Connected after the window's own handler, so this runs once the choice has been handled.
    QObject::connect(list, &QListWidget::itemSelectionChanged, label, [list, label] {
        if (list->selectedItems().isEmpty())
            return;
        std::printf("choice %s\n", label->text().toUtf8().constData());
        std::fflush(stdout);
    });
}

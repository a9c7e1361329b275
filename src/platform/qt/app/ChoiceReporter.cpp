#include "ChoiceReporter.h"

#include "platform/qt/LookupWindow.h"

#include <QLabel>

#include <cstdio>

void reportMemberChoices(LookupWindow& window) {
    auto* label = window.findChild<QLabel*>(QStringLiteral("lblW"));
    if (!label)
        return;
    window.setChoiceReport([label] {
        std::printf("choice %s\n", label->text().toUtf8().constData());
        std::fflush(stdout);
    });
}

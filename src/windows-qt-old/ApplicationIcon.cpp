#include "ApplicationIcon.h"

QIcon applicationIcon() {
    return QIcon(QStringLiteral(":/icons/zelk.png"));
}

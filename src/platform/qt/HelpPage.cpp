#include "HelpPage.h"

#include "QtDesign.h"
#include "forms/HelpPage.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QUrl>

void openHelpPage() {
    const QString path = qtPath(helpPagePath(corePath(QCoreApplication::applicationDirPath())));
    if (!QProcess::startDetached(QStringLiteral("xdg-open"), {path}, QDir::currentPath()))
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

#include "HelpPage.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QUrl>

QString helpPagePath(const QString& programFolder) {
    // QDir joins without doubling the separator of a root folder.
    return QDir::toNativeSeparators(QDir(programFolder).filePath(QStringLiteral("zelkhelp/default.htm")));
}

void openHelpPage() {
    const QString path = helpPagePath(QCoreApplication::applicationDirPath());
    if (!QProcess::startDetached(QStringLiteral("xdg-open"), {path}, QDir::currentPath()))
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

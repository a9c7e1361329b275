#include "HelpPage.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

QString helpPagePath(const QString& programFolder) {
    const QDir folder(programFolder);
    // QDir joins without doubling the separator of a root folder ("/" or "C:/").
    const QString beside = folder.filePath(QStringLiteral("zelkhelp/default.htm"));
    // An installed program keeps its data apart: /usr/bin/zelk finds the page in /usr/share/zelk.
    // The page beside the program (a build, or a folder copied whole) comes first.
    if (!QFileInfo::exists(beside)) {
        const QString installed =
            QDir::cleanPath(folder.filePath(QStringLiteral("../share/zelk/zelkhelp/default.htm")));
        if (QFileInfo::exists(installed))
            return QDir::toNativeSeparators(installed);
    }
    return QDir::toNativeSeparators(beside);
}

void openHelpPage() {
    const QString path = helpPagePath(QCoreApplication::applicationDirPath());
    if (!QProcess::startDetached(QStringLiteral("xdg-open"), {path}, QDir::currentPath()))
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

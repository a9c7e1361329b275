#include "HelpPage.h"

#include "ShellOpener.h"

#include <QCoreApplication>
#include <QDir>

QString helpPagePath(const QString& programFolder) {
    // QDir joins without doubling the separator of a root folder ("/" or "C:/").
    return QDir::toNativeSeparators(QDir(programFolder).filePath(QStringLiteral("zelkhelp/default.htm")));
}

void openHelpPage(ShellOpener& opener, WId owner) {
    opener.openDocument(helpPagePath(QCoreApplication::applicationDirPath()),
                        QDir::toNativeSeparators(QDir::currentPath()), owner);
}

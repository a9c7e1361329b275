#include "ShellOpener.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>
#include <shellapi.h>
#else
#include <QDesktopServices>
#include <QProcess>
#include <QUrl>
#endif

void SystemShellOpener::openDocument(const QString& path, const QString& workingDirectory, WId owner) {
#ifdef Q_OS_WIN
    // The wide-character call, so that a path outside the ANSI code page still opens.
    ShellExecuteW(reinterpret_cast<HWND>(owner), L"open", reinterpret_cast<LPCWSTR>(path.utf16()), nullptr,
                  reinterpret_cast<LPCWSTR>(workingDirectory.utf16()), SW_SHOW);
#else
    Q_UNUSED(owner)
    if (!QProcess::startDetached(QStringLiteral("xdg-open"), {path}, workingDirectory))
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
#endif
}

#pragma once

#include <QString>
#include <QtGui/qwindowdefs.h>

// Opens a document with the viewer the desktop associates with it, the way a double click on it
// would. Failures are not reported: a missing document or viewer leaves nothing to say that the
// user could act on from here.
class ShellOpener {
public:
    virtual ~ShellOpener() = default;
    // `path` in native form; the viewer starts in `workingDirectory`. `owner` is the window the
    // viewer is opened from (0 for none), for platforms that parent messages of the shell to it.
    virtual void openDocument(const QString& path, const QString& workingDirectory, WId owner) = 0;
};

// The platform's own opener: the shell's "open" verb on Windows, xdg-open elsewhere (the desktop's
// URL handler when xdg-open cannot be started).
class SystemShellOpener : public ShellOpener {
public:
    void openDocument(const QString& path, const QString& workingDirectory, WId owner) override;
};

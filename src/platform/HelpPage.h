#pragma once

#include <QString>
#include <QtGui/qwindowdefs.h>

class ShellOpener;

// The help page's path: "zelkhelp" and "default.htm" below `programFolder`, with the platform's
// separators; when no page is there but one is in "../share/zelk/zelkhelp" of it (an installed
// program), that one.
QString helpPagePath(const QString& programFolder);

// Asks `opener` to show the help page beside the running program, with the process's current
// directory as the viewer's working directory; `owner` is the window asking.
void openHelpPage(ShellOpener& opener, WId owner);

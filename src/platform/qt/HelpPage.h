#pragma once

#include <QString>

// The help page's path: "zelkhelp/default.htm" below `programFolder`, in native form; when no page
// is there but one is in "../share/zelk/zelkhelp" of it (an installed program), that one.
QString helpPagePath(const QString& programFolder);

// Asks the desktop to show the help page beside the running program in its viewer, with the
// process's current directory as the viewer's working directory. Failures are not reported: a
// missing page or viewer leaves nothing the user could act on from here.
void openHelpPage();

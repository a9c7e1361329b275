#pragma once

// Asks the desktop to show the help page of the running program (helpPagePath) in its viewer, with
// the process's current directory as the viewer's working directory. Failures are not reported: a
// missing page or viewer leaves nothing the user could act on from here.
void openHelpPage();

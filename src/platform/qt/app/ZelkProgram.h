#pragma once

// The zelk program from its command line to its exit status (ZelkExitStatus): the lookup window
// on the catalogue the command line names, or on "JISTEELW.CSV" in the current directory.
int runZelk(int argc, char* argv[]);

#pragma once

#include <QString>

// Standard output and error of the command-line tool, always in UTF-8.
void printOut(const QString& text);
void printErr(const QString& text);

// Exit statuses shared by the subcommands.
enum ToolExit : int {
    ExitOk = 0,
    ExitProblems = 1,
    ExitDataError = 2,
    ExitFileError = 3,
    ExitTagMismatch = 4,
    ExitUsage = 64,
};

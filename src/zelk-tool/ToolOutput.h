#pragma once

#include <string>
#include <string_view>

// Exit statuses shared by the subcommands. 64 and 74 are the usual ones for a usage error and
// an output error (sysexits.h), so that scripts can tell them from a catalogue's problems.
enum class ToolExitStatus : int {
    Ok = 0,
    Problems = 1,
    DataError = 2,
    FileError = 3,
    TagMismatch = 4,
    Usage = 64,
    OutputError = 74,
};

// Standard output and error of the command-line tool, always UTF-8 (binary mode on Windows, so
// that a line end stays LF).
void prepareOutput();
void printOut(std::string_view utf8);
void printOut(std::u16string_view text);
void printErr(std::string_view utf8);
void printErr(std::u16string_view text);

// Flushes standard output. When any write to it failed (a full disk, a closed pipe, /dev/full),
// says so on standard error and returns ToolExitStatus::OutputError; otherwise returns `status`.
ToolExitStatus finishOutput(ToolExitStatus status);

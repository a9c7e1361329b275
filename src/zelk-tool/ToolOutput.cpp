#include "ToolOutput.h"

#include "base/Text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// The first write error on standard output; later writes are not tried, since the output is
// incomplete anyway and the first reason is the one worth reporting.
int outputError = 0;

} // namespace

void prepareOutput() {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}

void printOut(std::string_view utf8) {
    if (outputError != 0 || utf8.empty())
        return;
    errno = 0;
    if (std::fwrite(utf8.data(), 1, utf8.size(), stdout) != utf8.size())
        outputError = errno != 0 ? errno : EIO;
}

void printOut(std::u16string_view text) {
    printOut(toUtf8(text));
}

void printErr(std::string_view utf8) {
    // Nowhere is left to report a failure to write the error stream itself.
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
}

void printErr(std::u16string_view text) {
    printErr(toUtf8(text));
}

ToolExitStatus finishOutput(ToolExitStatus status) {
    errno = 0;
    if (outputError == 0 && std::fflush(stdout) != 0)
        outputError = errno != 0 ? errno : EIO;
    if (outputError == 0)
        return status;
    printErr("zelk-tool: cannot write to standard output (" + std::string(std::strerror(outputError)) +
             ")\n");
    return ToolExitStatus::OutputError;
}

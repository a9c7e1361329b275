#pragma once

#include <chrono>
#include <cstdio>

// Start-up measurement: prints the wall-clock time of a window's first paint in nanoseconds since
// the epoch ("first-paint-ns <n>") on standard output, for a script that knows when it started
// the process. Wine's clock is the host's, so the script may run outside Wine.
inline void printFirstPaintTime() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::printf("first-paint-ns %lld\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
    std::fflush(stdout);
}

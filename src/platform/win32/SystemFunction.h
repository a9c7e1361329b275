#pragma once

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>
#include <timeapi.h>

// A function of a system library that only an occasional action needs, loaded on its first use:
// linked in, such libraries and those they bring take a good part of the program's start-up.
// Null when the library or the function is missing.
template <typename Function> Function* systemFunction(const wchar_t* library, const char* name) {
    const HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Through a function type of no parameters, the usual way to convert what GetProcAddress gives.
    return module ? reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
                  : nullptr;
}

// The editor's Save As dialog.
inline decltype(GetSaveFileNameW)* saveFileDialog() {
    static const auto kFunction =
        systemFunction<decltype(GetSaveFileNameW)>(L"comdlg32.dll", "GetSaveFileNameW");
    return kFunction;
}

// The help page's opening.
inline decltype(ShellExecuteW)* shellExecute() {
    static const auto kFunction = systemFunction<decltype(ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    return kFunction;
}

// The finer timer tick of a transfer.
inline decltype(timeBeginPeriod)* beginTimerPeriod() {
    static const auto kFunction = systemFunction<decltype(timeBeginPeriod)>(L"winmm.dll", "timeBeginPeriod");
    return kFunction;
}

inline decltype(timeEndPeriod)* endTimerPeriod() {
    static const auto kFunction = systemFunction<decltype(timeEndPeriod)>(L"winmm.dll", "timeEndPeriod");
    return kFunction;
}

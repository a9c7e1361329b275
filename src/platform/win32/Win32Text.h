#pragma once

#include "base/WideText.h"

#include <windows.h>

#include <string>

// The text of a window or control, however long.
inline std::u16string windowText(HWND window) {
    std::wstring text(std::size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    const int length = GetWindowTextW(window, text.data(), int(text.size()));
    return coreText(text.data(), std::size_t(length > 0 ? length : 0));
}

inline void setWindowText(HWND window, const std::u16string& text) {
    SetWindowTextW(window, wide(text));
}

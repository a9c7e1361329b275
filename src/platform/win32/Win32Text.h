#pragma once

#include <windows.h>

#include <string>

// The core holds text as UTF-16 in std::u16string; the wide API takes the same code units as
// wchar_t. The conversion happens here, at the call, and nowhere else.

inline const wchar_t* wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline std::u16string coreText(const wchar_t* text) {
    return reinterpret_cast<const char16_t*>(text);
}

inline std::u16string coreText(const wchar_t* text, std::size_t length) {
    return {reinterpret_cast<const char16_t*>(text), length};
}

// The text of a window or control, however long.
inline std::u16string windowText(HWND window) {
    std::wstring text(std::size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    const int length = GetWindowTextW(window, text.data(), int(text.size()));
    return coreText(text.data(), std::size_t(length > 0 ? length : 0));
}

inline void setWindowText(HWND window, const std::u16string& text) {
    SetWindowTextW(window, wide(text));
}

// The Windows converter behind CodePage932: the system's own tables for code page 932.
#include "CodePage932.h"
#include "Text.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <climits>

namespace CodePage932::Native {

namespace {

constexpr UINT kCodePage = 932;

} // namespace

bool decodeRun(std::string_view bytes, std::u16string& out) {
    if (bytes.empty())
        return true;
    // The API counts in int; a run that long is no line of a text file.
    if (bytes.size() > INT_MAX)
        return false;
    // No unit gives more than one UTF-16 code unit.
    std::wstring wide(bytes.size(), L'\0');
    // MB_ERR_INVALID_CHARS: a unit without a character fails the call instead of becoming the
    // code page's default character.
    const int length =
        MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                            wide.data(), static_cast<int>(wide.size()));
    if (length <= 0)
        return false;
    out.append(wide.begin(), wide.begin() + length);
    return true;
}

bool encodeRun(std::u16string_view text, std::string& out) {
    if (text.empty())
        return true;
    // An unpaired surrogate has no bytes. WideCharToMultiByte's flag for refusing it
    // (WC_ERR_INVALID_CHARS) is for UTF-8 only; what it does with one for code page 932 is not
    // documented, so it never gets one.
    if (text.size() > INT_MAX / 2 || hasLoneSurrogate(text))
        return false;
    const std::wstring wide(text.begin(), text.end());
    // No UTF-16 code unit gives more than two bytes.
    std::string bytes(2 * wide.size(), '\0');
    // WC_NO_BEST_FIT_CHARS: a character without bytes of its own becomes the default character,
    // and sets usedDefaultChar, instead of a look-alike (0x5C for U+00A5).
    BOOL usedDefaultChar = FALSE;
    const int length =
        WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                            bytes.data(), static_cast<int>(bytes.size()), nullptr, &usedDefaultChar);
    if (length <= 0 || usedDefaultChar)
        return false;
    out.append(bytes, 0, static_cast<std::size_t>(length));
    return true;
}

} // namespace CodePage932::Native

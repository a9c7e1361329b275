// Letter case through the system's own tables, on Windows.
#include "Text.h"
#include "WideText.h"

#include <windows.h>

std::u16string upperCase(std::u16string_view text) {
    if (text.empty())
        return {};
    const wchar_t* source = wide(text);
    const int length = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, source, int(text.size()),
                                     nullptr, 0, nullptr, nullptr, 0);
    if (length <= 0)
        return std::u16string(text);
    std::u16string out(std::size_t(length), u'\0');
    LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, source, int(text.size()), wide(out), length,
                  nullptr, nullptr, 0);
    return out;
}

bool isCapitalLetter(char32_t c) {
    std::u16string text;
    appendCodePoint(text, c);
    WORD types[2] = {};
    if (!GetStringTypeW(CT_CTYPE1, wide(text), int(text.size()), types))
        return false;
    if (!(types[0] & C1_UPPER))
        return false;
    std::u16string lower = text;
    CharLowerBuffW(wide(lower), DWORD(lower.size()));
    return lower != text;
}

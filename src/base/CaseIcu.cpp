// Letter case through ICU's root-locale tables, for every platform but Windows.
#include "Text.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>

std::u16string upperCase(std::u16string_view text) {
    std::u16string out(text.size(), u'\0');
    for (;;) {
        UErrorCode status = U_ZERO_ERROR;
        const int32_t length =
            u_strToUpper(reinterpret_cast<UChar*>(out.data()), int32_t(out.size()),
                         reinterpret_cast<const UChar*>(text.data()), int32_t(text.size()), "", &status);
        if (status == U_BUFFER_OVERFLOW_ERROR) {
            out.resize(std::size_t(length));
            continue;
        }
        if (U_FAILURE(status))
            return std::u16string(text);
        out.resize(std::size_t(length));
        return out;
    }
}

bool isCapitalLetter(char32_t c) {
    return u_isupper(UChar32(c)) && u_tolower(UChar32(c)) != UChar32(c);
}

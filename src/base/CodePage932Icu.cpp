// Code page 932 through ICU's "windows-31j" converter, for every platform but Windows.
#include "CodePage932.h"

#include <unicode/ucnv.h>

#include <memory>

namespace CodePage932::Native {

namespace {

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// One converter per thread, opened on first use, made to stop at the first unit it cannot map
// (instead of writing substitutes).
UConverter* converter() {
    thread_local Converter cached = [] {
        UErrorCode status = U_ZERO_ERROR;
        Converter opened(ucnv_open("windows-31j", &status));
        if (U_FAILURE(status))
            return Converter();
        ucnv_setToUCallBack(opened.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
        ucnv_setFromUCallBack(opened.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
        return U_SUCCESS(status) ? std::move(opened) : Converter();
    }();
    return cached.get();
}

} // namespace

bool decodeRun(std::string_view bytes, std::u16string& out) {
    UConverter* cnv = converter();
    if (!cnv)
        return false;
    ucnv_resetToUnicode(cnv);
    const std::size_t start = out.size();
    out.resize(start + bytes.size()); // never more characters than bytes
    UChar* target = reinterpret_cast<UChar*>(out.data() + start);
    const char* source = bytes.data();
    UErrorCode status = U_ZERO_ERROR;
    ucnv_toUnicode(cnv, &target, target + bytes.size(), &source, bytes.data() + bytes.size(), nullptr, true,
                   &status);
    if (U_FAILURE(status)) {
        out.resize(start);
        return false;
    }
    out.resize(std::size_t(reinterpret_cast<char16_t*>(target) - out.data()));
    return true;
}

bool encodeRun(std::u16string_view text, std::string& out) {
    UConverter* cnv = converter();
    if (!cnv)
        return false;
    ucnv_resetFromUnicode(cnv);
    const std::size_t start = out.size();
    const std::size_t room = text.size() * 2; // two bytes a character at most
    out.resize(start + room);
    char* target = out.data() + start;
    const UChar* source = reinterpret_cast<const UChar*>(text.data());
    UErrorCode status = U_ZERO_ERROR;
    ucnv_fromUnicode(cnv, &target, target + room, &source, source + text.size(), nullptr, true, &status);
    if (U_FAILURE(status)) {
        out.resize(start);
        return false;
    }
    out.resize(std::size_t(target - out.data()));
    return true;
}

} // namespace CodePage932::Native

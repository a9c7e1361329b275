#include "FileNameOf.h"

std::u16string FileNameOf(std::u16string_view path) {
    const std::size_t separator = path.find_last_of(u"\\/");
    return std::u16string(separator == std::u16string_view::npos ? path : path.substr(separator + 1));
}

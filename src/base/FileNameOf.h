#pragma once

#include <string>
#include <string_view>

// The file-name part of a path: the text after its last separator. "\" separates on every
// platform and "/" too, so that a path of this platform shows only its name; a path without a
// separator is returned whole, one that ends in a separator gives the empty text.
std::u16string FileNameOf(std::u16string_view path);

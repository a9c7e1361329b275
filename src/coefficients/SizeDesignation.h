#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Taking a member designation such as "H-100x100x6x8" apart into its dimensions. The designation
// is a prefix of any characters but "." and the ASCII digits, then numbers joined by a lower-case
// "x". Malformed designations throw DataError with one of the two messages below.

inline constexpr std::u16string_view kMissingSizeMessage = u" DATA ERROR: サイズを示す数字が不足です。";
inline constexpr std::u16string_view kMissingSeparatorMessage =
    u" DATA ERROR: データ区切り <x> がありません。";

// The prefix of `designation`: all before its first size character ("." or an ASCII digit), or
// std::nullopt when it holds none.
std::optional<std::u16string_view> sizePrefix(std::u16string_view designation);
// `designation` from its first size character on; throws DataError with kMissingSizeMessage when
// there is none.
std::u16string_view withoutSizePrefix(std::u16string_view designation);
// The same in place, as the generator's callers know it.
void StripSizePrefix(std::u16string& designation);

// The 1-based position of the first "x" in `text`; throws DataError with kMissingSeparatorMessage
// when there is none.
std::size_t FindDimensionSeparator(std::u16string_view text);

struct Dimensions {
    std::array<double, 4> value{}; // D1 to D4 in value[0] to value[3]; unused ones are 0
};

// The first `count` (0 to 4) dimensions of `designation`, each read by leadingNumber. Count 0
// only checks that a size character is there; count k needs k - 1 separators, and whatever
// follows the k-th dimension is ignored. The missing size character is reported before a
// missing separator.
Dimensions SplitDimensions(std::u16string_view designation, int count);
// The same for readers that only look: std::nullopt where SplitDimensions throws.
std::optional<Dimensions> dimensionsIfWellFormed(std::u16string_view designation, int count);

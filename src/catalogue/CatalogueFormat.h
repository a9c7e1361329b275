#pragma once

#include <array>
#include <string_view>

// The fixed texts of the catalogue file, for everything that reads it, writes it or sends what it
// holds.

// The seven header lines begin with these tags, in this order.
inline constexpr std::u16string_view kWeightKeysTag = u"W>";
inline constexpr std::u16string_view kWeightFormulaTag = u"W=";
inline constexpr std::u16string_view kAreaKeysTag = u"A>";
inline constexpr std::u16string_view kAreaFormulaTag = u"A=";
inline constexpr std::u16string_view kKind1KeysTag = u"1>";
inline constexpr std::u16string_view kKind2KeysTag = u"2>";
inline constexpr std::u16string_view kKind3KeysTag = u"3>";
inline constexpr std::array<std::u16string_view, 7> kHeaderTags = {
    kWeightKeysTag, kWeightFormulaTag, kAreaKeysTag, kAreaFormulaTag,
    kKind1KeysTag,  kKind2KeysTag,     kKind3KeysTag};

// The area formula of a file whose area formula line is the bare tag: no formula to paste.
inline constexpr std::u16string_view kNoFormula = u"=/";

// The line that ends a group, where the next member's designation would begin.
inline constexpr std::u16string_view kTerminator = u"/*";

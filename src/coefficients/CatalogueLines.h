#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The group and member lines in the layout that the coefficient generator writes (line ends are
// the writer's business). Each Format* function replaces the contents of `line` and keeps its
// capacity, so that one buffer serves a whole run.

// Designations are written widened with blanks or cut to this many characters.
inline constexpr std::size_t kDesignationWidth = 21;
// Weight and coefficient are right-aligned in fields this wide; a wider text is written whole,
// since cutting it would change the number.
inline constexpr std::size_t kNumberFieldWidth = 12;
inline constexpr int kWeightDecimals = 4;      // "#0.0000"
inline constexpr int kCoefficientDecimals = 2; // "#0.00"

// "name",kind,shape
void formatGroupHeaderLine(std::u16string& line, std::u16string_view name, std::int16_t kind,
                           std::int16_t shape);

// "<designation>","<remark>",<weight>,<coefficient>: the designation widened with blanks or cut
// to kDesignationWidth characters (characters, not UTF-16 units: one outside the BMP counts
// once and is never split), the remark as it is, quotes inside either written unchanged; the
// weight as "#0.0000" and the coefficient as "#0.00", each right-aligned in kNumberFieldWidth.
void formatMemberLine(std::u16string& line, std::u16string_view designation, std::u16string_view remark,
                      double weight, double coefficient);

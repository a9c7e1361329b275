#pragma once

#include <cstdint>
#include <string_view>

// The value of pi that the paint-area rules use: six decimals, as the catalogue's figures were
// computed with it.
inline constexpr double kRulePi = 3.141592;

// True for the shape codes 1 to 5, whose coefficient is computed; others keep the one read.
bool hasCoefficientRule(std::int16_t shape);

// The paint-area coefficient of a member of a group of shape code `shape`, from the dimensions in
// its designation and its weight; for a shape code without a rule, `coefficientAsRead`.
//   1  lipped channel D1xD2xD3xD4   P = 2*D1 + 4*D2 + 4*D3 - 6*D4   K = (P/1000) / (W/1000)
//   2  H-section or channel D1xD2xD3  P = 2*D1 + 4*D2 - 2*D3       K = (P/1000) / (W/1000)
//   3  angle D1xD2                    P = 2*(D1 + D2)               K = (P/1000) / (W/1000)
//   4  pipe D1                        K = ((D1/1000) * pi) / (W/1000)
//   5  plate                          K = 2 / (W/1000)
// Throws DataError when the designation cannot be parsed. The result is not checked: a weight of
// 0 or an overflow gives an infinity or a NaN, which the caller must catch.
double paintCoefficient(std::int16_t shape, std::u16string_view designation, double weight,
                        double coefficientAsRead);

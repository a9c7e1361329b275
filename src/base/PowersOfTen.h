#pragma once

// 1e0 to 1e22, the powers of ten that a double holds exactly. A whole number below 2^53 divided
// or multiplied by one of them is one correctly rounded operation: the value that reading the
// decimal text in full would give.
inline constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                               1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                               1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

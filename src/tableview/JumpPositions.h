#pragma once
#include <cstdint>

namespace carnelis {

// The nearest whole number, a half going to the even neighbour (0.5 -> 0, 1.5 -> 2,
// 2.5 -> 2), whatever the floating-point rounding mode is.
int32_t roundHalfEven(double value);

// The rows the jump entries go to, for a view of n rows. Not bounded: with one or two
// rows the three-quarter position is n itself, which the recordset refuses.
int32_t quarterPosition(int n);
int32_t middlePosition(int n);
int32_t threeQuarterPosition(int n);

} // namespace carnelis

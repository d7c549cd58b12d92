#pragma once

#include <cstdint>
#include <optional>

namespace sondrix {

// Nearest integer, halves to the even neighbour (2.5 gives 2, 3.5 gives 4). Not finite stays so.
double RoundHalfEven(double value);

// CInt and CLng: round half to even, then fail (nullopt) when the result does not fit or the
// value is not finite. Never wraps.
std::optional<std::int16_t> RoundToInt16(double value);
std::optional<std::int32_t> RoundToInt32(double value);

// Rounds half to even and clamps into the 32-bit range; not-a-number gives 0. For places where
// the program decides to saturate rather than fail.
std::int32_t RoundClampInt32(double value);

// A 64-bit value stored into a 32-bit float: fails when it is not finite or beyond the float range.
std::optional<float> NarrowToFloat(double value);

// The value stored into a 32-bit float where the window saturates instead of failing: beyond the
// float range gives the largest float of that sign, not-a-number gives 0.
float ClampToFloat(double value);

// Rounded to `decimals` places after the point (0 to 15), an exact half to the even neighbour,
// as the decimal text of the value shows it: 2.675 is stored as 2.67499999... and gives 2.67.
// Not finite stays so.
double RoundToDecimals(double value, int decimals);

}  // namespace sondrix

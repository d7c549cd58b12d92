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

}  // namespace sondrix

#pragma once

#include <cstddef>
#include <string>

namespace sondrix {

// Digits after the point of the export's scientific patterns.
inline constexpr int kTimeDecimals = 6;         // "#.000000e-0", the time column
inline constexpr int kFineValueDecimals = 4;    // "#.0000e-0", 16-bit or high-resolution data
inline constexpr int kCoarseValueDecimals = 3;  // "#.000e-0", 8-bit data

// Enough room for any value with up to kTimeDecimals digits after the point.
inline constexpr std::size_t kSciMaxChars = 32;

// One significant digit before the point (none for zero), `decimals` digits after it, "e", a minus
// sign only for a negative exponent and the exponent without leading zeros:
// 0.5 gives "5.0000e-1", -0.012 gives "-1.2000e-2", 12 gives "1.2000e1", 0 gives ".0000e0".
// Writes into `out`, which holds at least kSciMaxChars characters, and returns the end.
// `decimals` must lie in 0..kTimeDecimals.
char* FormatScientific(char* out, double value, int decimals);
std::string FormatScientific(double value, int decimals);

}  // namespace sondrix

#pragma once

#include <bit>
#include <cstdint>

namespace sondrix {

// The words below are copied into text as they lie in memory, lowest byte first.
static_assert(std::endian::native == std::endian::little);

// Digits that EightDigitBytes makes.
inline constexpr int kEightDigits = 8;

// The digit characters of a number below 10^8, padded with zeros to eight, the first digit in
// the lowest byte: the halves, quarters and digits are split in 32-, 16- and 8-bit lanes at
// once, by multiplications that divide exactly below 10,000 and 100, with no chain of divisions.
inline std::uint64_t EightDigitBytes(std::uint32_t value) {
  std::uint64_t x = (value / 10'000) | std::uint64_t{value % 10'000} << 32;
  const std::uint64_t hundreds = ((x * 10'486) >> 20) & 0x0000'007F'0000'007FULL;
  x = (x - hundreds * 100) << 16 | hundreds;
  const std::uint64_t tens = ((x * 103) >> 10) & 0x000F'000F'000F'000FULL;
  x = (x - tens * 10) << 8 | tens;
  return x + 0x3030'3030'3030'3030ULL;
}

}  // namespace sondrix

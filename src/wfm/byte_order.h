#pragma once

#include <array>
#include <cstdint>

namespace sondrix {

// The file's integers are big-endian two's complement; these take bytes in file order.
// They cannot fail on any byte pattern.
std::int16_t Swap16(const std::array<std::uint8_t, 2>& bytes);
std::int32_t Swap32(const std::array<std::uint8_t, 4>& bytes);

std::int16_t Swap16(const std::uint8_t* bytes);
std::int32_t Swap32(const std::uint8_t* bytes);

}  // namespace sondrix

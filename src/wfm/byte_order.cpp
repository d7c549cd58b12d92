#include "wfm/byte_order.h"

namespace sondrix {

std::int16_t Swap16(const std::uint8_t* bytes) {
  const auto u = static_cast<std::uint16_t>((bytes[0] << 8) | bytes[1]);
  return static_cast<std::int16_t>(u);  // two's complement by definition since C++20
}

std::int32_t Swap32(const std::uint8_t* bytes) {
  const std::uint32_t u = (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
                          (std::uint32_t{bytes[2]} << 8) | std::uint32_t{bytes[3]};
  return static_cast<std::int32_t>(u);
}

std::int16_t Swap16(const std::array<std::uint8_t, 2>& bytes) { return Swap16(bytes.data()); }
std::int32_t Swap32(const std::array<std::uint8_t, 4>& bytes) { return Swap32(bytes.data()); }

}  // namespace sondrix

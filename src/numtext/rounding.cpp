#include "numtext/rounding.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace sondrix {

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  const double floor = std::floor(value);
  const double diff = value - floor;
  if (diff > 0.5) return floor + 1.0;
  if (diff < 0.5) return floor;
  return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

namespace {

template <typename Int>
std::optional<Int> roundChecked(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double rounded = RoundHalfEven(value);
  if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
      rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
    return std::nullopt;
  }
  return static_cast<Int>(rounded);
}

}  // namespace

std::optional<std::int16_t> RoundToInt16(double value) { return roundChecked<std::int16_t>(value); }

std::optional<std::int32_t> RoundToInt32(double value) { return roundChecked<std::int32_t>(value); }

std::int32_t RoundClampInt32(double value) {
  if (std::isnan(value)) return 0;
  constexpr double lo = std::numeric_limits<std::int32_t>::min();
  constexpr double hi = std::numeric_limits<std::int32_t>::max();
  const double rounded = RoundHalfEven(value);
  if (rounded <= lo) return std::numeric_limits<std::int32_t>::min();
  if (rounded >= hi) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(rounded);
}

std::optional<float> NarrowToFloat(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  constexpr double maxFloat = std::numeric_limits<float>::max();
  // Values between the largest float and this boundary still round to the largest float.
  const double overflowBoundary = std::ldexp(2.0 - std::ldexp(1.0, -24), 127);
  const double magnitude = std::fabs(value);
  if (magnitude >= overflowBoundary) return std::nullopt;
  if (magnitude > maxFloat) return static_cast<float>(value < 0 ? -maxFloat : maxFloat);
  return static_cast<float>(value);
}

float ClampToFloat(double value) {
  if (std::isnan(value)) return 0.0f;
  if (const auto narrowed = NarrowToFloat(value)) return *narrowed;
  constexpr float maxFloat = std::numeric_limits<float>::max();
  return value < 0 ? -maxFloat : maxFloat;
}

double RoundToDecimals(double value, int decimals) {
  if (!std::isfinite(value)) return value;
  // to_chars rounds the exact binary value, so only exact binary halves are ties.
  std::array<char, 400> buffer{};  // a double has at most 309 integer digits
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::fixed, std::clamp(decimals, 0, 15));
  double rounded = value;
  if (ec == std::errc{}) std::from_chars(buffer.data(), end, rounded);
  return rounded;
}

}  // namespace sondrix

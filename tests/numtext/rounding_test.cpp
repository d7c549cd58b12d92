#include "numtext/rounding.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <tuple>
#include <vector>

namespace sondrix {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr auto kNo = std::nullopt;

TEST(RoundHalfEvenTest, AgreesWithTheFloatingPointUnit) {
  // In the default rounding mode std::nearbyint rounds halves to even: an independent twin.
  std::vector<double> values{0.49999999999999994, 4503599627370495.5, kInf, -kInf};
  std::mt19937_64 random(20261207);
  for (int i = 0; i < 100000; ++i) {
    if (const double wild = std::bit_cast<double>(random()); !std::isnan(wild))
      values.push_back(wild);
    values.push_back(static_cast<std::int32_t>(random()) / 4.0);  // halves and quarters
  }
  for (const double v : values) ASSERT_EQ(RoundHalfEven(v), std::nearbyint(v)) << v;
  EXPECT_TRUE(std::isnan(RoundHalfEven(kNaN)));
}

TEST(NarrowingTest, FailsOutsideTheRangeInsteadOfWrappingOrSaturates) {
  const std::pair<double, std::optional<std::int16_t>> int16Cases[] = {
      {32767.4, 32767},   {32766.5, 32766}, {32767.5, kNo},
      {-32768.5, -32768}, {-32768.6, kNo},  {kNaN, kNo}};
  for (const auto& [value, want] : int16Cases) EXPECT_EQ(RoundToInt16(value), want) << value;

  const double top = INT32_MAX;
  const std::pair<double, std::optional<std::int32_t>> int32Cases[] = {
      {top + 0.4, INT32_MAX}, {top + 0.5, kNo}, {-top - 1.5, INT32_MIN}, {-top - 2.5, kNo}};
  for (const auto& [value, want] : int32Cases) EXPECT_EQ(RoundToInt32(value), want) << value;

  // The clamping form saturates at the range ends instead.
  const std::pair<double, std::int32_t> cases[] = {
      {2.5, 2},          {-2147483648.5, INT32_MIN}, {2147483647.5, INT32_MAX},
      {1e20, INT32_MAX}, {-1e20, INT32_MIN},         {kNaN, 0}};
  for (const auto& [value, want] : cases) EXPECT_EQ(RoundClampInt32(value), want) << value;

  // NarrowToFloat refuses only what rounds beyond the float range; ClampToFloat saturates there.
  // Halfway between FLT_MAX and 2^128: rounds (to even) up to 2^128, so it overflows.
  const double boundary = std::ldexp(2.0 - std::ldexp(1.0, -24), 127);
  const double below = std::nextafter(boundary, 0.0);
  const double big = FLT_MAX;
  const double above = std::nextafter(big, kInf);
  const float max = FLT_MAX;
  const std::tuple<double, std::optional<float>, float> floats[] = {
      {big, max, max},      {-big, -max, -max},   {above, max, max},      {below, max, max},
      {-below, -max, -max}, {boundary, kNo, max}, {-boundary, kNo, -max}, {-kInf, kNo, -max},
      {0.1, 0.1f, 0.1f},    {1e-50, 0.0f, 0.0f},  {kNaN, kNo, 0.0f}};
  for (const auto& [value, narrowed, clamped] : floats) {
    EXPECT_EQ(NarrowToFloat(value), narrowed) << value;
    EXPECT_EQ(ClampToFloat(value), clamped) << value;
  }
}

TEST(RoundToDecimalsTest, ExactHalvesToEvenOthersByTheirBinaryValue) {
  const std::tuple<double, int, double> cases[] = {
      {0.125, 2, 0.12},       {0.375, 2, 0.38}, {2.675, 2, 2.67}, {333.33334f, 2, 333.33},
      {1.000005, 5, 1.00001}, {2.5, 0, 2.0},    {-1e-9, 2, 0.0},  {1e300, 2, 1e300}};
  for (const auto& [value, decimals, want] : cases)
    EXPECT_EQ(RoundToDecimals(value, decimals), want) << value << " to " << decimals;
  EXPECT_EQ(RoundToDecimals(500.00002374872565, 2), 500.0);
  EXPECT_TRUE(std::isnan(RoundToDecimals(kNaN, 2)));
}

}  // namespace
}  // namespace sondrix

#include "numtext/sci_format.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace sondrix {
namespace {

// Independent twin: printf's exact rounding, the exponent rewritten without '+' and zeros.
std::string Reference(double value, int decimals) {
  if (value == 0) return "." + std::string(decimals, '0') + "e0";
  char raw[64];
  std::snprintf(raw, sizeof raw, "%.*e", decimals, value);
  const std::string text = raw;
  const std::size_t e = text.find('e');
  return text.substr(0, e + 1) + std::to_string(std::atoi(text.c_str() + e + 1));
}

TEST(FormatScientificTest, MatchesReferenceOnRandomValues) {
  // Both zeros have no digit before the point; the twin treats zero by this same rule, so it is
  // checked here on its own.
  EXPECT_EQ(FormatScientific(0.0, 4), ".0000e0");
  char buffer[kSciMaxChars];
  char* end = FormatScientific(buffer, -0.0, 6);
  EXPECT_EQ(std::string(buffer, end), ".000000e0");
  std::mt19937_64 random(7331);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> exponent(-15, 15);
  std::uniform_int_distribution<int> small(-99999, 99999);
  std::uniform_int_distribution<int> shift(1, 16);
  for (int i = 0; i < 20000; ++i) {
    const std::uint64_t bits = random();
    const double measured = mantissa(random) * std::pow(10.0, exponent(random));
    // A few steps from a power of ten and from a half of the last digit kept.
    double nearPower = std::pow(10.0, exponent(random));
    double nearHalf = (small(random) + 0.5) * std::pow(10.0, exponent(random));
    for (int step = static_cast<int>(bits % 7) - 3; step != 0; step += step < 0 ? 1 : -1) {
      nearPower = std::nextafter(nearPower, step < 0 ? 0.0 : HUGE_VAL);
      nearHalf = std::nextafter(nearHalf, step < 0 ? 0.0 : HUGE_VAL);
    }
    // Any double and float, the measured range as double and float, short binary fractions
    // (many exact decimal ties) and the edges.
    const double wild = std::bit_cast<double>(bits);
    const float wildFloat = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
    const float measuredFloat = static_cast<float>(measured);
    const double tie = std::ldexp(small(random), -shift(random));
    const double values[] = {wild, wildFloat, measured, measuredFloat, tie, nearPower, nearHalf};
    for (const double value : values) {
      for (int decimals = 0; decimals <= kTimeDecimals; ++decimals) {
        if (!std::isfinite(value)) continue;
        ASSERT_EQ(FormatScientific(value, decimals), Reference(value, decimals))
            << std::hexfloat << value << " with " << decimals;
      }
    }
  }
}

}  // namespace
}  // namespace sondrix

#include "numtext/print_form.h"
#include "numtext/sci_format.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <tuple>

namespace sondrix {
namespace {

TEST(PrintFormTest, NumberTextIsPlainWithFifteenDigits) {
  // 0.1 + 0.2 is 0.30000000000000004, of 17 digits; 123456789.123456789 keeps 15.
  const std::pair<double, std::string> cases[] = {
      {5.0, "5"},     {537 / 100.0, "5.37"}, {4.0 - 100 / 8192.0, "3.98779296875"},
      {-0.0, "0"},    {1e-5, "0.00001"},     {1.5e6, "1500000"},
      {-2.5, "-2.5"}, {0.1 + 0.2, "0.3"},    {123456789.123456789, "123456789.123457"}};
  // Rounded to 15 digits the largest double would overflow: its own digits are written.
  EXPECT_EQ(NumberText(1.7976931348623157e308).substr(0, 17), "17976931348623157");
  for (const auto& [value, want] : cases) EXPECT_EQ(NumberText(value), want) << value;
}

// Without blanks the text reads back to the value; the sign slot is exactly one of blank and minus.
template <typename T>
void ExpectRoundTrip(T value) {
  if (!std::isfinite(static_cast<double>(value))) return;  // never printed
  const std::string text = PrintForm(value);
  ASSERT_GE(text.size(), 3u) << value;
  EXPECT_EQ(std::tuple(text.front(), text[1] == '-', text.back()),
            std::tuple(value < 0 ? '-' : ' ', false, ' '))
      << text;
  const char* begin = text.data() + (text.front() == ' ' ? 1 : 0);
  const char* end = text.data() + text.size() - 1;
  T back{};
  const auto [ptr, ec] = std::from_chars(begin, end, back);
  EXPECT_EQ(std::tuple(ec, ptr, back), std::tuple(std::errc{}, end, value)) << text;
}

TEST(PrintFormTest, ReadsBackToTheSameValue) {
  // A negative zero is not negative: its blank, and no second sign after it.
  EXPECT_EQ(PrintForm(-0.0), " 0 ");
  ExpectRoundTrip(std::int32_t{INT32_MIN});
  std::mt19937_64 random(20240611);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> exponent(-20, 20);
  for (int i = 0; i < 20000 && !HasFailure(); ++i) {
    ExpectRoundTrip(std::bit_cast<double>(random()));
    ExpectRoundTrip(std::bit_cast<float>(static_cast<std::uint32_t>(random())));
    const double tame = mantissa(random) * std::pow(10.0, exponent(random));
    ExpectRoundTrip(tame);
    ExpectRoundTrip(static_cast<float>(tame));
    ExpectRoundTrip(static_cast<std::int32_t>(random()));
  }
}

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
  // Neither zero has a digit before the point; the twin shares that rule, so it is checked here.
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
    // Any double and float, the measured range, short binary fractions (exact decimal ties), edges.
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

#include "numtext/print_form.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
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

// The text without its blanks reads back to the same value; the sign slot holds exactly one of
// blank and minus.
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

}  // namespace
}  // namespace sondrix

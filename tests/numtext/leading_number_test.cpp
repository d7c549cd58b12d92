#include "numtext/leading_number.h"
#include "numtext/substrings.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <tuple>

#include "numtext/rounding.h"
#include "numtext/sci_format.h"

namespace sondrix {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// An overflow, and only an overflow, gives infinity, which the checked form refuses.
TEST(ValTest, ReadsTheLeadingNumberAndStopsAtTheFirstUnusableCharacter) {
  struct Case {
    std::string_view text;
    double value;
    std::size_t length;
  };
  const Case cases[] = {
      {"  12.5", 12.5, 6},  {"-3", -3, 2},          {"+3", 3, 2},         {".5", 0.5, 2},
      {"5.", 5, 2},         {"1.5.2", 1.5, 3},      {"5e+", 5, 1},        {"5E-x", 5, 1},
      {"1e400", kInf, 5},   {"-1e400", -kInf, 6},   {"100e307", kInf, 7}, {".5e400", kInf, 6},
      {"1e3x", 1000, 3},    {"2.5E-3V", 0.0025, 6}, {"", 0, 0},           {"abc", 0, 0},
      {".", 0, 0},          {"+.e5", 0, 0},         {"--5", 0, 0},        {"1e-400", 0, 6},
      {"-1e-400", -0.0, 7}, {"0e999999999", 0, 11}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const LeadingNumber number = ParseLeadingNumber(c.text);
    EXPECT_EQ(std::tuple(number.value, number.length, number.overflow),
              std::tuple(c.value, c.length, std::isinf(c.value)));
    EXPECT_EQ(Val(c.text), c.value);
    EXPECT_EQ(ValChecked(c.text), std::isinf(c.value) ? std::nullopt : std::optional(c.value));
  }
  // Beyond the range, the place of the first digit tells an overflow from an underflow (0).
  EXPECT_EQ(ValChecked(" 2e99999999999999999999"), std::nullopt);
  EXPECT_EQ(ValChecked("1" + std::string(400, '0') + "e-10"), std::nullopt);
  EXPECT_EQ(ValChecked("1" + std::string(1000, '0') + "e-1330"), 0.0);
  EXPECT_EQ(ValChecked("0." + std::string(400, '0') + "1e5"), 0.0);
  // A text is read to its end, not past it: its blanks, whole digits and decimals.
  const std::string_view longer = "  12.25";
  for (const std::size_t n : {1, 3, 4, 6})
    EXPECT_EQ(ParseLeadingNumber(longer.substr(0, n)).length, n == 1 ? 0 : n) << n;
}

TEST(ParseStrictTest, AcceptsOnlyAWholeNumberWithBlanksAroundAndTheFloatFormAgrees) {
  constexpr auto kNo = std::nullopt;
  const std::pair<std::string_view, std::optional<double>> cases[] = {
      {"12.5", 12.5}, {"  -3  ", -3}, {"+.5", 0.5}, {"1e3", 1000}, {"1E-3 ", 0.001}, {"5.", 5},
      {"", kNo},      {"   ", kNo},   {"abc", kNo}, {"1x", kNo},   {"inf", kNo},     {"0x10", kNo},
      {"1e400", kNo}, {"1 2", kNo},   {".", kNo},   {"1,5", kNo},  {"\t5", kNo}};
  for (const auto& [text, want] : cases) EXPECT_EQ(ParseStrict(text), want) << '"' << text << '"';

  // The float form takes a short cut for the plain forms; it must agree with the two steps on
  // every text, plain or not, including the edges of the float range and ties between floats.
  // clang-format off
  const std::string_view texts[] = {
      "-1.2346E-01", "5.0000e-1", ".0000E0", "-.5", "5.", "0", "-0", "+7", " 1.5E2 ", "12",
      "3.4028234663852886e38", "3.4028235677973366e38", "3.40282357e38", "-3.5e38", "1e39",
      "1e-46", "1e-400", "-1e-400", "1.0000000596046448", "16777217", "0x10", "inf", "-inf",
      "nan", "-", ".", "", "1e", "1e+", "5V", "1,5", "--5", "-\t5", "1 2", "0001.5",
      "9007199254740992", "9007199254740993", "-9007199254740993e-9", "1e22", "1e23", "1e-22",
      "1e-23", "123456789012345678e-1", "12345678901234567890", "0.00000000000000000001",
      "1.e5", "1.2346e-0001", "1e00022", "5e-324", "1.5e+", "1.5-", "1.5e-1x"};
  // clang-format on
  // The bits, so that a negative zero is told from zero.
  const auto bits = [](std::optional<float> f) -> std::optional<std::uint32_t> {
    return f ? std::optional(std::bit_cast<std::uint32_t>(*f)) : std::nullopt;
  };
  // A field splitter's reading, where it takes the text before a comma, is the same.
  const auto field = [&](std::string_view text) {
    if (text.find(',') != std::string_view::npos) return;  // a field of its own
    std::size_t length = 0;
    float value = 0.0f;
    if (!ParseFloatField(std::string(text) + ",9", length, value)) return;
    EXPECT_EQ(length, text.size()) << '"' << text << '"';
    EXPECT_EQ(bits(value), bits(ParseStrictFloat(text))) << '"' << text << '"';
  };
  for (std::string_view text : texts) {
    const std::optional<double> wide = ParseStrict(text);
    EXPECT_EQ(bits(ParseStrictFloat(text)), bits(wide ? NarrowToFloat(*wide) : std::nullopt))
        << '"' << text << '"';
    field(text);
  }
  // And on the data's own forms, over every digit count and a span of exponents.
  std::mt19937_64 random(7);
  for (int k = 0; k < 20'000; ++k) {
    const double value = std::ldexp(static_cast<double>(random() >> 11), k % 200 - 150);
    char text[40];
    std::snprintf(text, sizeof text, "%.*e", k % 18, k % 2 ? value : -value);
    const std::optional<double> wide = ParseStrict(text);
    ASSERT_EQ(bits(ParseStrictFloat(text)), bits(NarrowToFloat(*wide))) << text;
    field(text);
    // The program's own form: no '+' and no leading zero in the exponent.
    const std::string own = FormatScientific(k % 2 ? value : -value, k % (kTimeDecimals + 1));
    ASSERT_EQ(bits(ParseStrictFloat(own)), bits(NarrowToFloat(*ParseStrict(own)))) << own;
    field(own);
  }
  // The fixed form is checked eight bytes at a time: any byte in any place of it.
  for (const std::string_view plain : {"-1.2345e-01", "5.0000E-1"}) {
    for (std::size_t place = 0; place < plain.size(); ++place) {
      for (int byte = 1; byte < 256; ++byte) {
        std::string text(plain);
        text[place] = static_cast<char>(byte);
        field(text);
      }
    }
  }
}

using Text = std::optional<std::string_view>;
constexpr auto kFails = std::nullopt;

TEST(SubstringsTest, OneBasedPiecesCutAtTheEndFindsCaseTrimAndCr) {
  constexpr std::int64_t kToEnd = -2;  // Mid without a count
  const std::tuple<std::string_view, std::int64_t, std::int64_t, Text> mids[] = {
      {"abcdef", 1, 3, "abc"},   {"abcdef", 3, 2, "cd"},
      {"abcdef", 6, 1, "f"},     {"abcdef", 7, 1, ""},
      {"abcdef", 5, 10, "ef"},   {"abc", INT64_MAX, 1, ""},
      {"abcdef", 2, 0, ""},      {"", 1, 1, ""},
      {"abcdef", 1, -1, kFails}, {"abcdef", 7, -1, kFails},
      {"abcdef", 0, 1, kFails},  {"ab\r", 2, kToEnd, "b\r"},
      {"abc", 4, kToEnd, ""},    {"abc", 0, kToEnd, kFails}};
  for (const auto& [text, start, count, want] : mids) {
    EXPECT_EQ(count == kToEnd ? Mid(text, start) : Mid(text, start, count), want)
        << text << " " << start << " " << count;
  }
  const std::tuple<std::int64_t, Text, Text> ends[] = {
      {2, "ab", "bc"}, {5, "abc", "abc"}, {0, "", ""}, {-1, kFails, kFails}};
  for (const auto& [count, left, right] : ends) {
    EXPECT_EQ(Left("abc", count), left) << count;
    EXPECT_EQ(Right("abc", count), right) << count;
  }

  const std::tuple<std::string_view, std::string_view, std::int64_t> finds[] = {
      {"abc.WFM", ".WFM", 4}, {"aXbX", "X", 2}, {"abc", "x", 0}, {"", "a", 0}, {"abc", "", 1}};
  for (const auto& [text, what, at] : finds) EXPECT_EQ(InStr(text, what), at) << text << what;

  EXPECT_EQ(UCase("abc.wfm `az{ 1"), "ABC.WFM `AZ{ 1");
  EXPECT_EQ(UCase("\xe3\x81\x82\xe9x"), "\xe3\x81\x82\xe9X");  // bytes above 127 stay

  const std::pair<std::string_view, std::string_view> trims[] = {
      {"  a b  ", "a b"}, {"\ta\t", "\ta\t"}, {" a\r", "a\r"}, {"   ", ""}, {"", ""}};
  for (const auto& [text, want] : trims) EXPECT_EQ(TrimBlanks(text), want) << '"' << text << '"';

  const std::pair<std::string_view, std::string_view> crs[] = {
      {"abc\r", "abc"}, {"abc\r\r", "abc\r"}, {"abc", "abc"}, {"\r", ""}, {"", ""}, {"\rx", "\rx"}};
  for (const auto& [text, want] : crs) EXPECT_EQ(DropTrailingCr(text), want);
}

}  // namespace
}  // namespace sondrix

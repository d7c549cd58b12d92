#include "numtext/substrings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>

namespace sondrix {
namespace {

using Text = std::optional<std::string_view>;
constexpr auto kFails = std::nullopt;

TEST(SubstringsTest, OneBasedPiecesCutAtTheEnd) {
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
}

TEST(SubstringsTest, InStrUCaseTrimAndCr) {
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

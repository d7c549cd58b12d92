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
  struct Case {
    const char* call;
    Text got;
    Text want;
  };
  const Case cases[] = {
      {"Mid 1,3", Mid("abcdef", 1, 3), "abc"},
      {"Mid 3,2", Mid("abcdef", 3, 2), "cd"},
      {"Mid last", Mid("abcdef", 6, 1), "f"},
      {"Mid just beyond", Mid("abcdef", 7, 1), ""},
      {"Mid count past end", Mid("abcdef", 5, 10), "ef"},
      {"Mid huge start", Mid("abc", INT64_MAX, 1), ""},
      {"Mid count 0", Mid("abcdef", 2, 0), ""},
      {"Mid empty text", Mid("", 1, 1), ""},
      {"Mid negative count", Mid("abcdef", 1, -1), kFails},
      {"Mid negative count beyond", Mid("abcdef", 7, -1), kFails},
      {"Mid start 0", Mid("abcdef", 0, 1), kFails},
      {"Mid to end", Mid("ModelName = X1\r", 13), "X1\r"},
      {"Mid to end beyond", Mid("abc", 4), ""},
      {"Mid to end start 0", Mid("abc", 0), kFails},
      {"Left", Left("abc", 2), "ab"},
      {"Left negative", Left("abc", -1), kFails},
      {"Right", Right("abc", 2), "bc"},
      {"Right longer", Right("abc", 5), "abc"},
      {"Right 0", Right("abc", 0), ""},
      {"Right negative", Right("abc", -1), kFails},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.call;
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

#include "view/cursors.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace sondrix {
namespace {

void ExpectPlacement(const CursorPlacement& p, const std::string& text, double fraction) {
  EXPECT_EQ(p.boxText, text);
  EXPECT_DOUBLE_EQ(p.fraction, fraction) << text;
}

TEST(CursorsTest, SliderTextsAndLinePositions) {
  const std::tuple<int, std::string, double> xs[] = {
      {0, "0", 0.0}, {250, "2.5", 0.25}, {537, "5.37", 0.537}, {1000, "10", 1.0}};
  for (const auto& [value, text, fraction] : xs)
    ExpectPlacement(SliderXChanged(value), text, fraction);
  const std::tuple<int, std::string, double> ys[] = {{-32768, "8", 0.0},
                                                     {0, "4", 32768.0 / 65535},
                                                     {8192, "3", 40960.0 / 65535},
                                                     {32767, "0.0001220703125", 1.0}};
  for (const auto& [value, text, fraction] : ys)
    ExpectPlacement(SliderYChanged(value), text, fraction);
  EXPECT_EQ(std::tuple(CentredSliders().x, CentredSliders().y),
            std::tuple(500, 0));  // -0.5 to even
}

// Only numbers beyond the line's 32-bit twip coordinate (800 twips per division) fall back.
TEST(CursorsTest, TypedTimeCursorPosition) {
  const std::tuple<std::string, std::string, double> cases[] = {
      {"7", "7", 0.7},       {" 2.5 div", " 2.5 div", 0.25},   {"abc", "abc", 0.0},
      {"-1", "-1", -0.1},    {"2684354", "2684354", 268435.4}, {"-2684354", "-2684354", -268435.4},
      {"2684355", "5", 0.5}, {"-2684356", "5", 0.5},           {"1e400", "5", 0.5}};
  for (const auto& [in, text, fraction] : cases) ExpectPlacement(ExpPosEntered(in), text, fraction);
}

}  // namespace
}  // namespace sondrix

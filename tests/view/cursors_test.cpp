#include "view/cursors.h"

#include <gtest/gtest.h>

#include <string>

namespace sondrix {
namespace {

template <typename Input>
struct Case {
  Input in;
  std::string text;
  double fraction;
};

template <typename Input, typename F>
void ExpectPlacements(F place, std::initializer_list<Case<Input>> cases) {
  for (const Case<Input>& c : cases) {
    const CursorPlacement p = place(c.in);
    EXPECT_EQ(p.boxText, c.text) << c.in;
    EXPECT_DOUBLE_EQ(p.fraction, c.fraction) << c.in;
  }
}

TEST(CursorsTest, SliderTextsAndLinePositions) {
  ExpectPlacements<int>(SliderXChanged, {{0, "0", 0.0},
                                         {250, "2.5", 0.25},
                                         {500, "5", 0.5},
                                         {537, "5.37", 0.537},
                                         {1000, "10", 1.0}});
  ExpectPlacements<int>(SliderYChanged, {{-32768, "8", 0.0},
                                         {0, "4", 32768.0 / 65535},
                                         {8192, "3", 40960.0 / 65535},
                                         {32767, "0.0001220703125", 1.0}});
}

// Only numbers beyond the line's 32-bit twip coordinate (800 twips per division) fall back.
TEST(CursorsTest, TypedTimeCursorPosition) {
  ExpectPlacements<const char*>(ExpPosEntered, {{"7", "7", 0.7},
                                                {" 2.5 div", " 2.5 div", 0.25},
                                                {"abc", "abc", 0.0},
                                                {"-1", "-1", -0.1},
                                                {"2684354", "2684354", 268435.4},
                                                {"-2684354", "-2684354", -268435.4},
                                                {"2684355", "5", 0.5},
                                                {"-2684356", "5", 0.5},
                                                {"1e400", "5", 0.5}});
}

TEST(CursorsTest, CentredSliders) {
  EXPECT_EQ(CentredSliders().x, 500);
  EXPECT_EQ(CentredSliders().y, 0);  // -0.5 to even
}

}  // namespace
}  // namespace sondrix

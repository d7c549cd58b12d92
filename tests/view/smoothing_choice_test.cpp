#include "view/smoothing_choice.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace sondrix {
namespace {

// Which texts are numbers is the strict reader's rule, tested with it; here what each kind of
// number becomes.
TEST(SmoothingChoiceTest, WidthBoxIsReadAndMendedWhereItCannotBeApplied) {
  // text, last valid width -> width applied, text left in the box
  const std::tuple<std::string, int, int, std::string> cases[] = {
      {"11", 3, 11, "11"},
      {"10.6", 3, 11, "10.6"},  // rounds to an odd width: nothing to mend
      {"1", 3, 1, "1"},
      {"2", 3, 2, "2"},    // 2 or less copies; nothing to make odd
      {"-4", 3, 0, "-4"},  // any width of 2 or less copies
      {"-1e10", 3, 0, "-1e10"},
      {"4", 3, 5, "5"},      // even widths would scale the trace
      {"9.5", 3, 11, "11"},  // 9.5 rounds to 10
      {"65536", 3, 65535, "65535"},
      {"3000000000", 3, 65535, "65535"},
      {"abc", 7, 7, "7"},  // not a number: the last valid width comes back
  };
  for (const auto& [text, last, width, after] : cases) {
    SmoothingChoice choice{SmoothingMode::SmoothedOnly, text, last};
    EXPECT_EQ(ApplySmoothingWidth(choice), width) << text;
    EXPECT_EQ(choice.widthText, after) << text;
    EXPECT_EQ(choice.lastValidWidth, width) << text;
  }
}

}  // namespace
}  // namespace sondrix

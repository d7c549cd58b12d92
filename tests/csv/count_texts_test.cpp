#include "csv/count_texts.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <string>

#include "numtext/sci_format.h"

namespace sondrix {
namespace {

// Column 0 is a channel's scale; column 1 spreads the counts over every kind of float (both
// zeros, subnormals, the largest, infinities, NaNs), whose texts are the longest there are.
float voltsOf(int column, std::int16_t count) {
  if (column == 0) return static_cast<float>(count * 0.000625 - 1.5);
  const auto bits = static_cast<std::uint16_t>(count);
  return std::bit_cast<float>(std::uint32_t{bits} << 16 | bits);
}

TEST(CountTexts, EveryCountIsWrittenAsACommaAndItsFormattedVolts) {
  for (const int decimals : {kCoarseValueDecimals, kTimeDecimals}) {
    int made = 0;
    CountTexts texts(2, decimals, [&made](int column, std::int16_t count) {
      ++made;
      return voltsOf(column, count);
    });
    EXPECT_EQ(made, 2 * 65536);
    for (int column = 0; column < 2; ++column) {
      for (int c = INT16_MIN; c <= INT16_MAX; ++c) {
        const auto count = static_cast<std::int16_t>(c);
        std::array<char, CountTexts::kWriteRoom> out{};
        const std::string written(out.data(), texts.writeField(out.data(), column, count));
        const std::string expected = "," + FormatScientific(voltsOf(column, count), decimals);
        if (written != expected) {
          FAIL() << "column " << column << ", count " << c << ", " << decimals
                 << " decimals: " << written << " instead of " << expected;
        }
      }
    }
  }
}

}  // namespace
}  // namespace sondrix

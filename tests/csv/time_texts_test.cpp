#include "csv/time_texts.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "numtext/sci_format.h"

namespace sondrix {
namespace {

// Each time is the formatter's text of (index - trigAddr) * delta: over the stretches of one
// exponent, across the trigger and powers of ten, for sample periods of instruments and odd ones,
// for periods no time can be made of, and for lines further apart than the writer was told.
TEST(TimeTexts, EveryTimeIsTheFormattersText) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  const double deltas[] = {2e-7, 1e-9,         4e-8,   1.0 / 3e9, -2e-7, 1.7e-3, 8e-10,
                           0.1,  2.5e-7,       1e-300, 5e20,      0.0,   -0.0,   inf,
                           -inf, std::nan(""), 1e-15,  1.23e18,   0.5};
  const std::int32_t triggers[] = {0, 2'500'000, -7, INT32_MIN, INT32_MAX};
  const struct {
    std::int64_t first, count, step, told;
  } runs[] = {{0, 60'000, 1, 1},
              {2'499'000, 3'000, 1, 1},
              {0, 20'000, 1001, 1001},
              {INT32_MAX - 5'000, 5'000, 1, 1},
              {2'490'000, 3'000, 7, 1}};
  std::array<char, kSciMaxChars> out{};
  for (const double delta : deltas) {
    for (const std::int32_t trigger : triggers) {
      for (const auto& run : runs) {
        TimeTexts times(trigger, delta, run.told);
        for (std::int64_t k = 0; k < run.count; ++k) {
          const std::int64_t index = run.first + k * run.step;
          const std::string written(out.data(), times.write(out.data(), index));
          const std::string expected =
              FormatScientific(static_cast<double>(index - trigger) * delta, kTimeDecimals);
          if (written != expected) {
            FAIL() << "delta " << delta << ", trigger " << trigger << ", index " << index << ": "
                   << written << " instead of " << expected;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace sondrix

#include "csv/count_texts.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <bit>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

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

// Checks the fields of counts `least` to `greatest` of `column`; false at the first wrong one.
bool fieldsAreRight(const CountTexts& texts, int column, int least, int greatest, int decimals) {
  for (int c = least; c <= greatest; ++c) {
    const auto count = static_cast<std::int16_t>(c);
    std::array<char, CountTexts::kWriteRoom> out{};
    const std::string written(out.data(), texts.writeField(out.data(), column, count));
    const std::string expected = "," + FormatScientific(voltsOf(column, count), decimals);
    if (written != expected) {
      ADD_FAILURE() << "column " << column << ", count " << c << ", " << decimals
                    << " decimals: " << written << " instead of " << expected;
      return false;
    }
  }
  return true;
}

TEST(CountTexts, EveryCountIsWrittenAsACommaAndItsFormattedVolts) {
  for (const int decimals : {kCoarseValueDecimals, kTimeDecimals}) {
    std::atomic<int> made = 0;
    CountTexts texts(2, decimals, [&made](int column, std::int16_t count) {
      ++made;
      return voltsOf(column, count);
    });
    for (int column = 0; column < 2; ++column) {
      texts.prepare(column, INT16_MIN, INT16_MAX);
      EXPECT_TRUE(fieldsAreRight(texts, column, INT16_MIN, INT16_MAX, decimals));
    }
    EXPECT_EQ(made, 2 * 65536);
  }
}

// Only the blocks of 256 counts that a range touches are made, each once, however many threads
// ask for them at once.
TEST(CountTexts, MakesTheBlocksOfPreparedCountsOnce) {
  std::atomic<int> made = 0;
  CountTexts texts(2, kFineValueDecimals, [&made](int column, std::int16_t count) {
    ++made;
    return voltsOf(column, count);
  });
  texts.prepare(1, -300, 10);  // the blocks -512..-257, -256..-1 and 0..255
  EXPECT_EQ(made, 3 * 256);
  EXPECT_TRUE(fieldsAreRight(texts, 1, -512, 255, kFineValueDecimals));
  texts.prepare(1, -1, 0);
  texts.prepare(1, 255, 255);
  EXPECT_EQ(made, 3 * 256);

  made = 0;
  constexpr int kThreads = 4;
  std::array<bool, kThreads> right{};
  {
    std::vector<std::jthread> threads;
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([&texts, &right, t] {
        // Overlapping ranges of column 0, from both ends of the counts.
        const int least = t % 2 == 0 ? INT16_MIN + 1000 * t : 1000 * t;
        const int greatest = least + 20'000;
        texts.prepare(0, static_cast<std::int16_t>(least), static_cast<std::int16_t>(greatest));
        right[static_cast<std::size_t>(t)] =
            fieldsAreRight(texts, 0, least, greatest, kFineValueDecimals);
      });
    }
  }
  EXPECT_EQ(right, (std::array<bool, kThreads>{true, true, true, true}));
  // Counts -32768..-10768 and 1000..23000 lie in blocks -128..-43 and 3..89.
  EXPECT_EQ(made, (86 + 87) * 256);
}

// A thread that needs a block another thread is making waits until it is made.
TEST(CountTexts, WaitsForABlockAnotherThreadMakes) {
  std::atomic<int> made = 0;
  CountTexts texts(1, kFineValueDecimals, [&made](int column, std::int16_t count) {
    if (made++ == 0) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return voltsOf(column, count);
  });
  std::array<bool, 2> right{};
  {
    std::vector<std::jthread> threads;
    for (std::size_t t = 0; t < right.size(); ++t) {
      threads.emplace_back([&texts, &right, t] {
        texts.prepare(0, 0, 255);
        right[t] = fieldsAreRight(texts, 0, 0, 255, kFineValueDecimals);
      });
    }
  }
  EXPECT_EQ(right, (std::array<bool, 2>{true, true}));
  EXPECT_EQ(made, 256);
}

}  // namespace
}  // namespace sondrix

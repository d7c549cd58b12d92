#include "view/smooth_samples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace sondrix {
namespace {

// The average written out directly: every output sums its 2 half + 1 neighbours, indices
// clamped to 0..end, and divides by the width; halves round to even, the 16-bit range saturates.
std::vector<std::int16_t> Reference(const std::vector<std::int16_t>& source, int start, int end,
                                    int width) {
  std::vector<std::int16_t> target(source.size(), 0);
  if (width <= 2) {
    for (int i = start; i <= end; ++i) target[i] = source[i];
    return target;
  }
  const int half = static_cast<int>(std::nearbyint((width - 1) / 2.0));
  if (start > end) end = start + 1;
  for (int i = start; i <= end; ++i) {
    long long sum = 0;
    for (int j = i - half; j <= i + half; ++j) sum += source[std::clamp(j, 0, end)];
    const double mean = std::nearbyint(static_cast<double>(sum) / width);
    target[i] = static_cast<std::int16_t>(std::clamp(mean, -32768.0, 32767.0));
  }
  return target;
}

std::vector<std::int16_t> Smooth(const std::vector<std::int16_t>& source, int start, int end,
                                 int width, int* raisedEnd = nullptr) {
  std::vector<std::int16_t> target(source.size(), 0);
  const int newEnd = SmoothSamples(source, start, end, width, target);
  if (raisedEnd) *raisedEnd = newEnd;
  return target;
}

// One output of the average written out directly, for windows too wide to check every output.
std::int16_t DirectMean(const std::vector<std::int16_t>& source, int end, int width, int i) {
  const int half = static_cast<int>(std::nearbyint((width - 1) / 2.0));
  long long sum = 0;
  for (int j = i - half; j <= i + half; ++j) sum += source[std::clamp(j, 0, end)];
  const double mean = std::nearbyint(static_cast<double>(sum) / width);
  return static_cast<std::int16_t>(std::clamp(mean, -32768.0, 32767.0));
}

std::vector<std::int16_t> Random(std::size_t n, std::uint32_t seed) {
  std::mt19937 engine(seed);
  std::vector<std::int16_t> v(n);
  for (auto& s : v) s = static_cast<std::int16_t>(static_cast<int>(engine() % 65536) - 32768);
  return v;
}

TEST(SmoothSamplesTest, SlidingSumEqualsTheDirectSum) {
  const auto v = Random(3000, 11);
  struct Case {
    int start, end, width;
  };
  const Case cases[] = {
      {0, 2999, 3}, {0, 2999, 11},   {100, 2000, 11},  {1500, 1600, 101},
      {0, 2999, 4}, {0, 2999, 6},    {0, 2999, 8},     {10, 20, 1001},  // wider than window
      {0, 0, 5},    {2998, 2999, 7}, {5, 2999, 10001}, {0, 2999, 2999},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Smooth(v, c.start, c.end, c.width), Reference(v, c.start, c.end, c.width))
        << c.start << ".." << c.end << " width " << c.width;
  }
}

// A long window is cut into pieces of 32768 outputs or more, each starting from its own sum, and
// shared by two threads: every cut, a last piece shorter than the width, and a window that does
// not start at 0 give the direct sum.
TEST(SmoothSamplesTest, PiecesOfALongWindowJoinWithoutASeam) {
  const auto v = Random(300000, 23);
  struct Case {
    int start, end, width;
  };
  const Case cases[] = {
      {0, 299999, 11},      // threads, odd width
      {7, 299990, 4},       // threads, even width, window not at the start
      {0, 32768 + 2, 101},  // the last piece 3 outputs long, within the width of the end
      {100, 70000, 1001},   // pieces of 64 half outputs
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Smooth(v, c.start, c.end, c.width), Reference(v, c.start, c.end, c.width))
        << c.start << ".." << c.end << " width " << c.width;
  }
}

// Up to 65535 samples the sums fit 32 bits and take the vector path; beyond, they are wider.
// Full-scale runs, a step between them and full-scale noise test the sums at their largest and
// the exact halves an even width meets there (65533 x 32767 / 65534 = 32766.5 rounds to 32766).
TEST(SmoothSamplesTest, WidthsAroundThe32BitSumAgreeWithTheDirectSum) {
  std::vector<std::int16_t> v(200000, 32767);
  std::fill(v.begin() + 70000, v.begin() + 140000, std::int16_t{-32768});
  const auto noise = Random(60000, 29);
  std::copy(noise.begin(), noise.end(), v.begin() + 140000);
  for (int width : {65533, 65534, 65535, 65536, 65537}) {
    const auto out = Smooth(v, 0, 199999, width);
    for (int i = 0; i < 200000; i += 1999) {
      ASSERT_EQ(out[i], DirectMean(v, 199999, width, i)) << "width " << width << " at " << i;
    }
  }
  EXPECT_EQ(Smooth(v, 0, 199999, 65534)[35000], 32766);
}

TEST(SmoothSamplesTest, NarrowWidthsCopyAndEmptyWindowsAreRaised) {
  const auto v = Random(100, 5);
  for (int width : {-7, 0, 1, 2}) {
    const auto out = Smooth(v, 10, 50, width);
    EXPECT_TRUE(std::equal(v.begin() + 10, v.begin() + 51, out.begin() + 10)) << width;
    EXPECT_EQ(out[51], 0) << width;  // only the window is written
  }
  int end = 0;
  const auto raised = Smooth(v, 0, -1, 3, &end);  // an empty record's window
  EXPECT_EQ(end, 1);
  EXPECT_EQ(raised, Reference(v, 0, -1, 3));
  Smooth(v, 0, -1, 1, &end);  // a copy is not raised
  EXPECT_EQ(end, -1);
}

TEST(SmoothSamplesTest, FullScaleValuesNeitherOverflowNorWrap) {
  const std::vector<std::int16_t> top(200000, 32767);
  const std::vector<std::int16_t> bottom(200000, -32768);
  // An even width divides more samples than it counts: the mean saturates instead of wrapping.
  EXPECT_EQ(Smooth(top, 0, 199999, 4)[100], 32767);
  EXPECT_EQ(Smooth(bottom, 0, 199999, 4)[100], -32768);
  // A width whose sum passes the 32-bit range.
  EXPECT_EQ(Smooth(top, 0, 199999, 140001)[100000], 32767);
  EXPECT_EQ(Smooth(bottom, 0, 199999, 140001)[0], -32768);
  // A width far beyond the record costs no more than the record.
  EXPECT_EQ(Smooth(top, 0, 199999, 2'000'000'001)[7], 32767);
}

TEST(SmoothSamplesTest, WindowsOutsideTheArraysWriteNothing) {
  const auto v = Random(10, 3);
  std::vector<std::int16_t> shortTarget(5, 0);
  SmoothSamples(v, 0, 9, 3, shortTarget);
  EXPECT_EQ(shortTarget, std::vector<std::int16_t>(5, 0));
  std::vector<std::int16_t> target(10, 0);
  SmoothSamples(v, 9, 8, 3, target);  // raised to 9..10, beyond the arrays
  SmoothSamples(v, -1, 5, 3, target);
  EXPECT_EQ(target, std::vector<std::int16_t>(10, 0));
}

}  // namespace
}  // namespace sondrix

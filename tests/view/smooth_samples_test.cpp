#include "view/smooth_samples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "synth/signals.h"
#include "view/sliding_mean.h"
#include "view/smoothing_choice.h"

namespace sondrix {
namespace {

// One output directly: 2 half + 1 neighbours (indices clamped to 0..end) / width, saturated.
std::int16_t DirectMean(const std::vector<std::int16_t>& source, int end, int width, int i) {
  const int half = static_cast<int>(std::nearbyint((width - 1) / 2.0));
  long long sum = 0;
  for (int j = i - half; j <= i + half; ++j) sum += source[std::clamp(j, 0, end)];
  const double mean = std::nearbyint(static_cast<double>(sum) / width);
  return static_cast<std::int16_t>(std::clamp(mean, -32768.0, 32767.0));
}

// The whole window by the direct rule; outside it nothing is written.
std::vector<std::int16_t> Reference(const std::vector<std::int16_t>& source, int start, int end,
                                    int width) {
  std::vector<std::int16_t> target(source.size(), 0);
  if (width > 2 && start > end) end = start + 1;
  for (int i = start; i <= end; ++i) {
    target[i] = width <= 2 ? source[i] : DirectMean(source, end, width, i);
  }
  return target;
}

std::vector<std::int16_t> Smooth(const std::vector<std::int16_t>& source, int start, int end,
                                 int width) {
  std::vector<std::int16_t> target(source.size(), 0);
  SmoothSamples(source, start, end, width, target);
  return target;
}

// The processor picks the vector loop's lanes; eight and four must give the same outputs.
void ExpectFewerLanesAgree(const std::vector<std::int16_t>& v, int start, int end, int width,
                           const std::vector<std::int16_t>& want) {
  if (width <= 2 || start > end) return;
  const auto half = static_cast<std::int64_t>(std::nearbyint((width - 1) / 2.0));
  for (const Lanes lanes : {Lanes::Eight, Lanes::Four}) {
    std::vector<std::int16_t> out(v.size(), 0);
    SlideMeans({v.data(), out.data(), end, half, width}, start, end + 1, lanes);
    EXPECT_EQ(out, want) << (lanes == Lanes::Eight ? 8 : 4) << " lanes, width " << width;
  }
}

// Counts over the whole 16-bit range.
std::vector<std::int16_t> Random(std::size_t n, std::uint32_t seed) {
  return synth::NoisySine(n, 0, 0, 32768, seed);
}

// Widths odd, even, wider than the record, copies; windows cut into pieces of 32768 or more outputs
// for two threads join seamlessly; nothing lands past a window or the arrays (short last block).
TEST(SmoothSamplesTest, SlidingSumEqualsTheDirectSumAndStaysInTheArrays) {
  const auto v = Random(300000, 23);
  struct Case {
    int start, end, width;
  };
  const Case cases[] = {
      {0, 2999, 3},       {100, 2000, 11},    {1500, 1600, 101}, {0, 2999, 4},
      {0, 2999, 6},       {10, 20, 1001},     {0, 0, 5},         {2998, 2999, 7},
      {5, 2999, 10001},   {0, 2999, 2999},    {10, 50, -7},      {10, 50, 2},
      {0, -1, 3},         {0, 299999, 11},    {7, 299990, 4},    {0, 32768 + 2, 101},
      {100, 70000, 1001}, {100, 1200, 65536}, {100, 1200, 65537}};
  for (const Case& c : cases) {
    const auto want = Reference(v, c.start, c.end, c.width);
    EXPECT_EQ(Smooth(v, c.start, c.end, c.width), want)
        << c.start << ".." << c.end << " width " << c.width;
    ExpectFewerLanesAgree(v, c.start, c.end, c.width, want);
  }
  std::vector<std::int16_t> target(v.size());
  EXPECT_EQ(SmoothSamples(v, 0, -1, 3, target), 1) << "an empty record's window is raised";
  EXPECT_EQ(SmoothSamples(v, 0, -1, 1, target), -1) << "a copy is not";

  const auto ten = Random(10, 3);
  std::vector<std::int16_t> tenOut(10, 0);
  SmoothSamples(ten, 0, 9, 3, std::span(tenOut).first(5));  // a target shorter than the window
  SmoothSamples(ten, 9, 8, 3, tenOut);                      // raised to 9..10, beyond the arrays
  SmoothSamples(ten, -1, 5, 3, tenOut);
  EXPECT_EQ(tenOut, std::vector<std::int16_t>(10, 0));
}

// Sums of up to 65535 samples fit 32 bits (the vector path). Full-scale runs (the first edge summed
// apart), a step, noise: largest sums, saturation, halves (65533 x 32767 / 65534 = 32766.5: 32766).
TEST(SmoothSamplesTest, WidthsAroundThe32BitSumAgreeWithTheDirectSum) {
  std::vector<std::int16_t> v(200000, -32768);
  std::fill(v.begin() + 70000, v.begin() + 140000, std::int16_t{32767});
  const auto noise = Random(60000, 29);
  std::copy(noise.begin(), noise.end(), v.begin() + 140000);
  for (int width : {4, 65533, 65534, 65535, 65536, 65537, 140001}) {
    const auto out = Smooth(v, 0, 199999, width);
    for (int i = 0; i < 200000; i += 1750) {
      ASSERT_EQ(out[i], DirectMean(v, 199999, width, i)) << "width " << width << " at " << i;
    }
    ExpectFewerLanesAgree(v, 0, 199999, width, out);
  }
  // A width far beyond the record costs no more than the record.
  EXPECT_EQ(Smooth(std::vector<std::int16_t>(1000, 32767), 0, 999, 2'000'000'001)[7], 32767);
}

// 2 or less copies; even widths (9.5 rounds to 10) become odd; no number gives the last width back.
TEST(SmoothingChoiceTest, WidthBoxIsReadAndMendedWhereItCannotBeApplied) {
  // text, last valid width -> width applied, text left in the box
  const std::tuple<std::string, int, int, std::string> cases[] = {
      {"10.6", 3, 11, "10.6"},      {"1", 3, 1, "1"},  {"2", 3, 2, "2"},
      {"-4", 3, 0, "-4"},           {"4", 3, 5, "5"},  {"9.5", 3, 11, "11"},
      {"65536", 3, 65535, "65535"}, {"abc", 7, 7, "7"}};
  for (const auto& [text, last, width, after] : cases) {
    SmoothingChoice choice{SmoothingMode::SmoothedOnly, text, last};
    EXPECT_EQ(ApplySmoothingWidth(choice), width) << text;
    EXPECT_EQ(std::tuple(choice.widthText, choice.lastValidWidth), std::tuple(after, width))
        << text;
  }
}

}  // namespace
}  // namespace sondrix

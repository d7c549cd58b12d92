#include "view/measurements.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "synth/signals.h"

namespace sondrix {
namespace {

// A record whose channel `ch` holds `samples` at 2 V/div (4096 counts per volt) and 0.5 V offset,
// sampled every microsecond.
WaveRecord RecordOf(int ch, const std::vector<std::int16_t>& samples) {
  WaveRecord r;
  r.header.ChCount = 4;
  r.header.Delta = 1e-6;
  r.header.Points = static_cast<std::int32_t>(samples.size());
  GrowSource(r.buffers, r.header.Points + 1);
  auto& setup = r.header.Channel[static_cast<std::size_t>(ch)];
  setup.Vdiv = 2.0f;
  setup.Offset = 0.5f;
  setup.DispOn = 1;
  std::copy(samples.begin(), samples.end(),
            r.buffers.SrcData[static_cast<std::size_t>(ch)].begin());
  return r;
}

// The figures written out directly, sample by sample, in volts.
struct Direct {
  double min = INFINITY, max = -INFINITY, sum = 0, squares = 0;
  explicit Direct(const std::vector<std::int16_t>& samples) {
    for (const std::int16_t c : samples) {
      const double v = c * 2.0 / 8192 - 0.5;
      min = std::min(min, v);
      max = std::max(max, v);
      sum += v;
      squares += v * v;
    }
  }
};

// Odd, and not a whole number of blocks: the last block is short and ends on a lone sample.
// 0.2 s at 1 us; the frequency needs two rising crossings of the mid level or more, and noise
// within the hysteresis does not add crossings on the slow edges.
TEST(MeasurementsTest, FiguresAgreeWithADirectComputation) {
  const std::size_t n = 200'001;
  const std::pair<std::vector<std::int16_t>, std::optional<double>> cases[] = {
      {synth::Sine(n, 20000, 50), 250.0},
      {synth::Square(n, 8192, 40, 0.25), 200.0},
      {synth::NoisySine(n, 12000, 7, 1000, 3), 35.0},
      {synth::Sine(n, 20000, 2.5), 12.5},  // exactly two rising crossings
      {synth::Sine(n, 20000, 1.5), std::nullopt},
      {synth::Ramp(n, -32768, 32767), std::nullopt},
      {std::vector<std::int16_t>(n, 32767), std::nullopt}};
  for (const auto& [samples, hz] : cases) {
    const WaveRecord r = RecordOf(2, samples);
    const auto m = MeasureChannel(r, 2, 0, static_cast<std::int32_t>(n) - 1);
    ASSERT_TRUE(m);
    const Direct d(samples);
    SCOPED_TRACE(hz ? *hz : 0.0);
    EXPECT_EQ(m->channel, 2);
    EXPECT_DOUBLE_EQ(m->min, d.min);
    EXPECT_DOUBLE_EQ(m->max, d.max);
    EXPECT_DOUBLE_EQ(m->peakToPeak, d.max - d.min);
    EXPECT_NEAR(m->mean, d.sum / n, 1e-9);
    EXPECT_NEAR(m->rms, std::sqrt(d.squares / n), 1e-9);
    ASSERT_EQ(m->frequency.has_value(), hz.has_value());
    EXPECT_NEAR(m->frequency.value_or(0), hz.value_or(0), hz.value_or(0) * 0.01);
  }
  // A record without a sample interval has no frequency.
  WaveRecord r = RecordOf(0, synth::Sine(n, 20000, 50));
  r.header.Delta = 0;
  EXPECT_FALSE(MeasureChannel(r, 0, 0, static_cast<std::int32_t>(n) - 1)->frequency);
}

// The crossings sample by sample, as the rule reads.
Crossings DirectCrossings(const std::vector<std::int16_t>& counts) {
  const auto [lo, hi] = std::ranges::minmax(counts);
  const double mid = (lo + hi) / 2.0, h = (hi - lo) / 10.0;
  Crossings direct;
  bool armed = false;
  for (std::size_t i = 0; i < counts.size(); ++i) {
    if (h > 0 && counts[i] <= mid - h) armed = true;
    if (h > 0 && armed && counts[i] >= mid + h) {
      armed = false;
      if (direct.count++ == 0) direct.first = static_cast<std::int64_t>(i);
      direct.last = static_cast<std::int64_t>(i);
    }
  }
  return direct;
}

TEST(MeasurementsTest, CrossingsAgreeWithASampleBySampleSearch) {
  const std::size_t n = 100'003;
  // A square of period 4096 changes side at block edges; one of period 6 in every chunk.
  std::vector<std::vector<std::int16_t>> signals = {
      synth::NoisySine(n, 12000, 37, 3000, 5), synth::Square(n, 8000, 24.4140625),
      synth::Square(n, 8000, n / 6.0), synth::NoisySine(n, 100, 400, 300, 9),
      synth::Sine(n, 3, 20)};
  // Lone samples across the thresholds at the second place of a chunk, the rest at mid level.
  std::vector<std::int16_t> lone(n, 0);
  const std::size_t places[] = {100, 8193, 9000, 16385, 20000, 20033};
  for (const std::size_t i : places) {
    lone[i] = static_cast<std::int16_t>(i % 2 == 0 ? -1000 : 1000);
  }
  signals.push_back(lone);
  signals.push_back(signals[0]);
  signals.back()[4095] = 32767;  // a lone spike as the last sample of a block
  signals.back()[4096] = -32768;
  for (std::size_t s = 0; s < signals.size(); ++s) {
    const Crossings fast = RisingCrossings(signals[s], StatsOfCounts(signals[s]));
    const Crossings direct = DirectCrossings(signals[s]);
    EXPECT_GT(direct.count, 0) << s;
    EXPECT_EQ(fast.count, direct.count) << s;
    EXPECT_EQ(fast.first, direct.first) << s;
    EXPECT_EQ(fast.last, direct.last) << s;
  }
}

TEST(MeasurementsTest, OnlyTheWindowAndTheShownChannelsCount) {
  std::vector<std::int16_t> samples(1000, 0);
  samples[10] = 8192;  // outside the window
  samples[500] = -4096;
  WaveRecord r = RecordOf(1, samples);
  const auto m = MeasureChannel(r, 1, 100, 900);
  ASSERT_TRUE(m);
  EXPECT_DOUBLE_EQ(m->max, -0.5);
  EXPECT_DOUBLE_EQ(m->min, -1.5);
  EXPECT_DOUBLE_EQ(MeasureChannel(r, 1, 500, 500).value().mean, -1.5) << "a window of one sample";
  for (const auto& [start, end] : {std::pair(-1, 10), std::pair(5, 4), std::pair(0, 1000)}) {
    EXPECT_FALSE(MeasureChannel(r, 1, start, end)) << start << ".." << end;
  }
  EXPECT_FALSE(MeasureChannel(r, 4, 0, 10));

  r.header.Channel[3].DispOn = 1;
  r.header.Channel[0].DispOn = 1;
  r.header.ChCount = 2;  // channel 4 lies beyond the count
  const auto shown = MeasureShownChannels(r, 0, 999);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].channel, 0);
  EXPECT_EQ(shown[1].channel, 1);
  r.header.ChCount = 0;
  EXPECT_TRUE(MeasureShownChannels(r, 0, 999).empty());
}

}  // namespace
}  // namespace sondrix

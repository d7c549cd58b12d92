#include "view/measurements.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <tuple>
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
  std::tie(setup.Vdiv, setup.Offset, setup.DispOn) = std::tuple(2.0f, 0.5f, 1);
  std::copy(samples.begin(), samples.end(),
            r.buffers.SrcData[static_cast<std::size_t>(ch)].begin());
  return r;
}

// The figures written out directly, sample by sample: volts, and the rising crossings as the
// rule reads (the first sample at or above mid + h after one at or below mid - h).
struct Direct {
  double min = INFINITY, max = -INFINITY, sum = 0, squares = 0;
  Crossings rising;
  explicit Direct(const std::vector<std::int16_t>& counts) {
    const auto [lo, hi] = std::ranges::minmax(counts);
    const double mid = (lo + hi) / 2.0, h = (hi - lo) / 10.0;
    bool armed = false;
    for (std::size_t i = 0; i < counts.size(); ++i) {
      const double v = counts[i] * 2.0 / 8192 - 0.5;
      std::tie(min, max, sum, squares) =
          std::tuple(std::min(min, v), std::max(max, v), sum + v, squares + v * v);
      if (h > 0 && counts[i] <= mid - h) armed = true;
      if (h > 0 && armed && counts[i] >= mid + h) {
        armed = false;
        if (rising.count++ == 0) rising.first = static_cast<std::int64_t>(i);
        rising.last = static_cast<std::int64_t>(i);
      }
    }
  }
};

// 0.2 s at 1 us, odd and not a whole number of blocks: the last block is short and ends on a
// lone sample. The crossing search passes over blocks and chunks by their extremes: squares that
// change side at block edges and in every chunk, lone samples across the thresholds at the second
// place of a chunk, a lone spike as the last sample of a block. Noise within the hysteresis does
// not add crossings on the slow edges. A frequency needs two rising crossings or more: 2.5
// periods of a sine have exactly two.
TEST(MeasurementsTest, FiguresAgreeWithADirectComputation) {
  const std::size_t n = 200'001;
  // samples, their known frequency (0: not known)
  std::vector<std::pair<std::vector<std::int16_t>, double>> cases = {
      {synth::Sine(n, 20000, 50), 250.0},
      {synth::Square(n, 8192, 40, 0.25), 200.0},
      {synth::NoisySine(n, 12000, 7, 1000, 3), 35.0},
      {synth::Sine(n, 20000, 2.5), 12.5},
      {synth::Sine(n, 20000, 1.5), 0},
      {synth::Ramp(n, -32768, 32767), 0},
      {std::vector<std::int16_t>(n, 32767), 0},
      {synth::NoisySine(n, 12000, 74, 3000, 5), 0},
      {synth::Square(n, 8000, n / 4096.0), 0},
      {synth::Square(n, 8000, n / 6.0), 0},
      {synth::NoisySine(n, 100, 800, 300, 9), 0},
      {synth::Sine(n, 3, 40), 0},
      {std::vector<std::int16_t>(n, 0), 0}};
  for (const std::size_t i : {100, 8193, 9000, 16385, 20000, 20033}) {
    cases.back().first[i] = static_cast<std::int16_t>(i % 2 == 0 ? -1000 : 1000);
  }
  cases.push_back(cases[7]);
  cases.back().first[4095] = 32767;
  cases.back().first[4096] = -32768;
  for (std::size_t s = 0; s < cases.size(); ++s) {
    const auto& [samples, hz] = cases[s];
    const auto m = MeasureChannel(RecordOf(2, samples), 2, 0, static_cast<std::int32_t>(n) - 1);
    ASSERT_TRUE(m);
    const Direct d(samples);
    SCOPED_TRACE(s);
    EXPECT_DOUBLE_EQ(m->min, d.min);
    EXPECT_DOUBLE_EQ(m->max, d.max);
    EXPECT_DOUBLE_EQ(m->peakToPeak, d.max - d.min);
    EXPECT_NEAR(m->mean, d.sum / n, 1e-9);
    EXPECT_NEAR(m->rms, std::sqrt(d.squares / n), 1e-9);
    const Crossings fast = RisingCrossings(samples, StatsOfCounts(samples));
    EXPECT_EQ(std::tuple(fast.count, fast.first, fast.last),
              std::tuple(d.rising.count, d.rising.first, d.rising.last));
    // (count - 1) periods between the first crossing and the last.
    const double span = static_cast<double>(d.rising.last - d.rising.first) * 1e-6;
    const auto direct =
        d.rising.count >= 2 ? std::optional((d.rising.count - 1) / span) : std::nullopt;
    EXPECT_EQ(m->frequency, direct);
    if (hz > 0) {
      EXPECT_NEAR(m->frequency.value_or(0), hz, hz * 0.01);  // a known signal's frequency
    }
  }
  // A record without a sample interval has no frequency.
  WaveRecord r = RecordOf(0, synth::Sine(n, 20000, 50));
  r.header.Delta = 0;
  EXPECT_FALSE(MeasureChannel(r, 0, 0, static_cast<std::int32_t>(n) - 1)->frequency);
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

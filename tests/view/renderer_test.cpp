#include "view/renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <tuple>
#include <utility>
#include <vector>

#include "synth/signals.h"
#include "view/plot_trace.h"
#include "view/smooth_samples.h"

namespace sondrix {
namespace {

// A loaded record of four shown channels, reset to its whole window, as a load leaves it.
struct Drawing {
  WaveRecord record;
  ViewState view;
  SmoothingChoice smoothing;
  SmoothedWindow smoothed;
  Scene scene = InitialScene();

  explicit Drawing(std::int32_t points) {
    WaveHeader& h = record.header;
    std::tie(h.ChCount, h.Points, h.TimeDiv) = std::tuple(4, points, 1e-3);
    GrowSource(record.buffers, std::max(points, 1) + 1);
    for (int ch = 0; ch < 4; ++ch) {
      std::tie(h.Channel[ch].Vdiv, h.Channel[ch].DispOn) = std::tuple(1.0f, 1);
      const auto wave = synth::NoisySine(static_cast<std::size_t>(points), 8000.0 * (ch + 1), 3.0,
                                         500.0, static_cast<std::uint32_t>(ch));
      std::copy(wave.begin(), wave.end(), record.buffers.SrcData[ch].begin());
    }
    ResetView(view, points);
    view.WaveLoaded = true;
  }

  bool draw() { return draw(view.StartIndex, view.EndIndex); }
  bool draw(std::int32_t start, std::int32_t end) {
    return DrawWaveform(record, view, smoothing, smoothed, scene, start, end,
                        record.header.TimeDiv);
  }
};

TEST(TraceScaleTest, FractionsOfTheSurfaceAndScalesOfNoExtent) {
  const TraceScale scale{100, 300, 1000, -1000};  // y from the top down
  EXPECT_EQ(std::pair(scale.xFraction(150), scale.yFraction(500)), std::pair(0.25, 0.25));
  const TraceScale flat{7, 7, 5, 5};  // one sample, one level: the left edge and the middle
  EXPECT_EQ(std::pair(flat.xFraction(7), flat.yFraction(5)), std::pair(0.0, 0.5));
}

// Nothing before a load or for windows the arrays do not hold. Channels beyond the count are
// neither drawn nor marked; one switched off loses its marks (all are shown before the first draw).
TEST(RendererTest, ShownChannelsInOrderWithTheirMarksOverTheView) {
  Drawing d(10000);
  EXPECT_FALSE(d.draw(-1, 50));
  EXPECT_FALSE(d.draw(0, 10001)) << "the arrays hold one sample past the record, no more";
  d.view.WaveLoaded = false;
  EXPECT_FALSE(d.draw(0, 9999));
  EXPECT_FALSE(d.scene.graticule.drawn || d.view.WaveDrawn);
  EXPECT_TRUE(d.scene.vdivLabels[3].visible && d.scene.vrefLines[3].visible);
  d.view.WaveLoaded = true;
  EXPECT_TRUE(d.draw(0, 10000));
  EXPECT_TRUE(d.view.WaveDrawn && d.scene.graticule.drawn);
  // Smoothing raises an empty record's window to 0..1, kept by the view; both must be there.
  Drawing empty(0);
  empty.smoothing = {SmoothingMode::SmoothedOnly, "3"};
  empty.record.buffers.SrcData[0][0] = 300;
  ASSERT_TRUE(empty.draw(0, -1));
  EXPECT_EQ(empty.view.EndIndex, 1);
  EXPECT_EQ(empty.scene.traces.at(0).points, (std::vector<TracePoint>{{0, 200}}))
      << "(300+300+0)/3";
  for (auto& source : empty.record.buffers.SrcData) source.resize(1);
  EXPECT_FALSE(empty.draw(0, -1));

  d.record.header.ChCount = 3;
  d.record.header.Channel[1].DispOn = 0;
  ASSERT_TRUE(d.draw(100, 8099));
  EXPECT_EQ(d.view.ShownTimeDiv, 1e-3f);  // and the window, which the scales show
  ASSERT_EQ(d.scene.traces.size(), 2u);
  for (const int ch : {0, 2}) {
    const Trace& trace = d.scene.traces[static_cast<std::size_t>(ch / 2)];
    EXPECT_EQ(std::tuple(trace.channel, trace.colour, trace.smoothed),
              std::tuple(ch, kChannelColours[ch], false));
    EXPECT_EQ(trace.scale, (TraceScale{100, 8099, 32767, -32768}));
    EXPECT_EQ(trace.points.front().index, 100);
    EXPECT_TRUE(d.scene.vrefLines[ch].visible && d.scene.vdivLabels[ch].visible);
  }
  for (const int ch : {1, 3})
    EXPECT_FALSE(d.scene.vrefLines[ch].visible || d.scene.vdivLabels[ch].visible) << ch;

  // Vertical views beyond the full scale are clamped, not refused: a zoom centre far above.
  std::tie(d.view.YTop, d.view.YBottom) = std::tuple(40000.0f, 35000.0f);
  ASSERT_TRUE(d.draw());
  EXPECT_EQ(d.view.YTop, 32767.0f);
  EXPECT_EQ(d.view.YBottom, 35000.0f);  // only the lower edge is clamped upwards
  EXPECT_EQ(d.scene.traces[0].scale, (TraceScale{100, 8099, 32767, 32767}));
  std::tie(d.view.YTop, d.view.YBottom) = std::tuple(-40000.0f, -50000.0f);
  ASSERT_TRUE(d.draw());
  EXPECT_EQ(d.view.YBottom, -32768.0f);
  EXPECT_EQ(d.scene.traces[0].scale.top, -32768);
}

// The smoothing step's wiring (the mended width, the view's window), not its sums.
TEST(RendererTest, SmoothingDrawsTheWindowsMovingAverage) {
  Drawing d(1000);
  d.smoothing = {SmoothingMode::SmoothedOnly, "4", 11};
  ASSERT_TRUE(d.draw(100, 199));
  EXPECT_EQ(d.smoothing.widthText, "5");
  const auto& src = d.record.buffers.SrcData[0];
  std::vector<std::int16_t> mean(src.size());
  SmoothSamples(src, 100, 199, 5, mean);
  ASSERT_EQ(d.scene.traces.size(), 4u);
  EXPECT_TRUE(d.scene.traces[0].smoothed);
  EXPECT_EQ(d.scene.traces[0].points[50], (TracePoint{150, mean[150]}));

  // Source and smoothing: each channel's trace, then its average as dots.
  d.smoothing.mode = SmoothingMode::SourceAndSmoothed;
  ASSERT_TRUE(d.draw());
  EXPECT_EQ(d.view.StartIndex, 100);  // a mode change keeps the window
  ASSERT_EQ(d.scene.traces.size(), 8u);
  EXPECT_FALSE(d.scene.traces[0].smoothed);
  EXPECT_EQ(d.scene.traces[0].points[50], (TracePoint{150, src[150]}));
  const Trace& dots = d.scene.traces[1];
  EXPECT_TRUE(dots.smoothed && dots.channel == 0 && dots.style == TraceStyle::Dots);
  EXPECT_EQ(dots.points[50], (TracePoint{150, mean[150]}));
}

// The plotting rule plainly: each group's first largest and smallest, in time order for a line.
std::vector<TracePoint> Reference(const std::vector<std::int16_t>& v, int start, int end,
                                  bool dots) {
  std::vector<TracePoint> out;
  const int step = (end - start) / 800;
  if (step <= 5) {
    if (!dots) out.push_back({start, v[start]});
    for (int i = dots ? start : start + 1; i <= end - 1; ++i) out.push_back({i, v[i]});
    return out;
  }
  out.push_back({start, v[start]});
  for (int g = start + 1; g <= end - step - 1; g += step) {
    const auto group = v.begin() + g;
    const auto maxAt = static_cast<int>(std::max_element(group, group + step) - v.begin());
    const auto minAt = static_cast<int>(std::min_element(group, group + step) - v.begin());
    const TracePoint hi{maxAt, v[maxAt]}, lo{minAt, v[minAt]};
    out.push_back(!dots && minAt < maxAt ? lo : hi);
    out.push_back(!dots && minAt < maxAt ? hi : lo);
  }
  return out;
}

std::vector<TracePoint> Plot(const std::vector<std::int16_t>& v, int start, int end, bool dots) {
  std::vector<TracePoint> points;
  PlotTrace(v, start, end, dots ? TraceStyle::Dots : TraceStyle::Line, points);
  return points;
}

TEST(PlotTraceTest, MatchesThePlainRuleAndPlotsNothingOutsideTheSamples) {
  // Around the threshold 6 x 800, uneven spans, offsets; at 0..4802 the last group ends just
  // before the window's end; an empty record's 0..-1 still starts a line at 0.
  const std::pair<int, int> windows[] = {{0, 4799},       {0, 4800}, {0, 4801},  {0, 4802},
                                         {17, 17 + 4800}, {0, 9999}, {3, 12345}, {0, 59999},
                                         {1000, 8000},    {5, 5},    {0, 1},     {0, -1}};
  // Noise over the whole range, and over -2..2 so that equal extremes are common.
  for (const double noise : {32768.0, 2.5}) {
    const auto v = synth::NoisySine(60000, 0, 0, noise, static_cast<std::uint32_t>(noise));
    for (const auto& [start, end] : windows) {
      for (bool dots : {false, true}) {
        EXPECT_EQ(Plot(v, start, end, dots), Reference(v, start, end, dots))
            << start << ".." << end << (dots ? " dots" : " line") << " noise " << noise;
      }
    }
  }
  const std::vector<std::int16_t> v{42, 43};
  for (const auto& [start, end] : {std::pair(0, 2), std::pair(-1, 1), std::pair(0, -2)}) {
    EXPECT_TRUE(Plot(v, start, end, false).empty()) << start << ".." << end;
  }
  EXPECT_TRUE(Plot({}, 0, -1, false).empty());
}

}  // namespace
}  // namespace sondrix

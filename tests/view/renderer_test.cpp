#include "view/renderer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "fixtures/signals.h"
#include "view/plot_trace.h"

namespace sondrix {
namespace {

// A loaded record of four shown channels, reset to its whole window, as a load leaves it.
struct Drawing {
  WaveRecord record;
  ViewState view;
  SmoothingChoice smoothing;
  Scene scene = InitialScene();

  explicit Drawing(std::int32_t points) {
    WaveHeader& h = record.header;
    h.ChCount = 4;
    h.Points = points;
    h.TimeDiv = 1e-3;
    h.Delta = points > 0 ? h.TimeDiv * 10 / points : 0.0;
    GrowSource(record.buffers, points);
    for (int ch = 0; ch < 4; ++ch) {
      h.Channel[ch].Vdiv = 1.0f;
      h.Channel[ch].Unit = "V";
      h.Channel[ch].DispOn = 1;
      const auto wave = fixtures::NoisySine(static_cast<std::size_t>(points), 8000.0 * (ch + 1),
                                            3.0, 500.0, static_cast<std::uint32_t>(ch));
      std::copy(wave.begin(), wave.end(), record.buffers.SrcData[ch].begin());
    }
    ResetView(view, points);
    view.WaveLoaded = true;
  }

  bool draw() { return draw(view.StartIndex, view.EndIndex); }
  bool draw(std::int32_t start, std::int32_t end) {
    return DrawWaveform(record, view, smoothing, scene, start, end, record.header.TimeDiv);
  }
};

TEST(RendererTest, NothingBeforeALoad) {
  Drawing d(1000);
  d.view.WaveLoaded = false;
  EXPECT_FALSE(d.draw());
  EXPECT_FALSE(d.scene.graticule.drawn);
  EXPECT_TRUE(d.scene.traces.empty());
  EXPECT_FALSE(d.view.WaveDrawn);
  EXPECT_EQ(d.record.header.TrigAddr, 0);
}

TEST(RendererTest, SourceOnlyDrawsShownChannelsInOrderWithTheirMarks) {
  Drawing d(10000);
  d.record.header.Channel[2].DispOn = 0;
  ASSERT_TRUE(d.draw());
  EXPECT_TRUE(d.view.WaveDrawn);
  EXPECT_EQ(d.record.header.TrigAddr, 5000);
  EXPECT_EQ(d.view.ShownTimeDiv, 1e-3f);
  EXPECT_TRUE(d.scene.graticule.drawn);
  EXPECT_EQ(d.scene.graticule.background, kBlack);

  ASSERT_EQ(d.scene.traces.size(), 3u);
  const int channels[] = {0, 1, 3};
  for (std::size_t t = 0; t < 3; ++t) {
    const Trace& trace = d.scene.traces[t];
    EXPECT_EQ(trace.channel, channels[t]);
    EXPECT_EQ(trace.colour, kChannelColours[channels[t]]);
    EXPECT_EQ(trace.style, TraceStyle::Line);
    EXPECT_EQ(trace.penWidth, 2);
    EXPECT_FALSE(trace.smoothed);
    EXPECT_EQ(trace.scale.left, 0);
    EXPECT_EQ(trace.scale.right, 9999);
    EXPECT_EQ(trace.scale.top, 32767);
    EXPECT_EQ(trace.scale.bottom, -32768);
    EXPECT_EQ(trace.points.size(), 1u + 2u * 833u);  // step 12: groups from 1 to 9986
  }
  EXPECT_FALSE(d.scene.vrefLines[2].visible);
  EXPECT_FALSE(d.scene.vdivLabels[2].visible);
  EXPECT_TRUE(d.scene.vrefLines[3].visible && d.scene.vdivLabels[3].visible);
  EXPECT_EQ(d.scene.vdivLabels[3].text, "Ch4:1V/div");
  EXPECT_EQ(d.scene.xsLabel.text, "-5ms");
  EXPECT_TRUE(d.scene.delayMark.visible);
}

TEST(RendererTest, SourceAndSmoothedOverlaysWhiteDotsWithoutLabels) {
  Drawing d(3000);
  d.record.header.ChCount = 2;
  d.smoothing.mode = SmoothingMode::SourceAndSmoothed;
  d.scene.vdivLabels[1].text = "unchanged";
  d.record.header.Channel[1].DispOn = 0;
  ASSERT_TRUE(d.draw());
  ASSERT_EQ(d.scene.traces.size(), 2u);
  EXPECT_FALSE(d.scene.traces[0].smoothed);
  EXPECT_EQ(d.scene.traces[1].colour, kWhite);
  EXPECT_EQ(d.scene.traces[1].style, TraceStyle::Dots);
  EXPECT_TRUE(d.scene.traces[1].smoothed);
  EXPECT_EQ(d.scene.traces[1].penWidth, 2);
  EXPECT_EQ(d.scene.vdivLabels[1].text, "unchanged");
  // Channels 3 and 4 lie beyond the channel count: not drawn, marks hidden.
  EXPECT_FALSE(d.scene.vrefLines[3].visible);
}

TEST(RendererTest, SmoothedOnlyWithWidthOneIsTheSourceTrace) {
  Drawing source(20000);
  ASSERT_TRUE(source.draw());
  Drawing smoothed(20000);
  smoothed.smoothing = {SmoothingMode::SmoothedOnly, "1", 11};
  ASSERT_TRUE(smoothed.draw());
  ASSERT_EQ(smoothed.scene.traces.size(), 4u);
  for (std::size_t t = 0; t < 4; ++t) {
    EXPECT_TRUE(smoothed.scene.traces[t].smoothed);
    EXPECT_EQ(smoothed.scene.traces[t].colour, source.scene.traces[t].colour);
    EXPECT_EQ(smoothed.scene.traces[t].points, source.scene.traces[t].points);
  }
  EXPECT_EQ(smoothed.scene.vdivLabels[0].text, source.scene.vdivLabels[0].text);
  EXPECT_EQ(smoothed.scene.xcLabel.text, source.scene.xcLabel.text);
}

TEST(RendererTest, SmoothedOnlyAveragesTheWindowAndMendsTheWidthBox) {
  Drawing d(1000);
  d.smoothing = {SmoothingMode::SmoothedOnly, "4", 11};
  ASSERT_TRUE(d.draw(100, 199));
  EXPECT_EQ(d.smoothing.widthText, "5");
  const auto& src = d.record.buffers.SrcData[0];
  const auto& sm = d.record.buffers.SmData[0];
  int sum = 0;
  for (int k = 148; k <= 152; ++k) sum += src[k];
  EXPECT_EQ(sm[150], static_cast<std::int16_t>(std::nearbyint(sum / 5.0)));
  EXPECT_EQ(d.scene.traces[0].points[50], (TracePoint{150, sm[150]}));

  d.smoothing.widthText = "eleven";  // any redraw puts the last valid width back
  d.smoothing.mode = SmoothingMode::SourceAndSmoothed;
  ASSERT_TRUE(d.draw());
  EXPECT_EQ(d.smoothing.widthText, "5");
  EXPECT_EQ(d.view.StartIndex, 100);  // a mode change keeps the window
  EXPECT_EQ(d.view.EndIndex, 199);
}

TEST(RendererTest, EmptyRecordDrawsThePointAtIndexZeroAndHidesTheTimeMarks) {
  Drawing d(0);
  ASSERT_TRUE(d.draw(0, -1));
  ASSERT_EQ(d.scene.traces.size(), 4u);
  for (const Trace& t : d.scene.traces) EXPECT_EQ(t.points, (std::vector<TracePoint>{{0, 0}}));
  EXPECT_EQ(d.record.header.TrigAddr, 0);
  EXPECT_FALSE(d.scene.delayMark.visible);
  EXPECT_FALSE(d.scene.xeLabel.visible);
  EXPECT_FALSE(d.scene.xcLabel.visible);

  Drawing s(0);
  s.smoothing.mode = SmoothingMode::SmoothedOnly;
  ASSERT_TRUE(s.draw(0, -1));
  EXPECT_EQ(s.view.EndIndex, 1);  // raised by the smoothing
  EXPECT_TRUE(s.view.WaveDrawn);
}

TEST(RendererTest, TriggerOutsideTheRecordAndOutOfRangeVerticalViews) {
  Drawing d(10000);
  d.record.header.Delay = 1.0;  // 1000 divisions after the centre
  d.view.YTop = 40000.0f;
  d.view.YBottom = 35000.0f;  // a zoom centre far above the record
  ASSERT_TRUE(d.draw());
  EXPECT_EQ(d.record.header.TrigAddr, 1005000);
  EXPECT_FALSE(d.scene.delayMark.visible);
  EXPECT_FALSE(d.scene.xcLabel.visible);
  EXPECT_EQ(d.view.YTop, 32767.0f);     // clamped in place
  EXPECT_EQ(d.view.YBottom, 35000.0f);  // only the lower edge is clamped upwards
  EXPECT_EQ(d.scene.traces[0].scale.top, 32767);
  EXPECT_EQ(d.scene.traces[0].scale.bottom, 32767);  // saturated, not a failed draw
  EXPECT_TRUE(d.view.WaveDrawn);
}

TEST(RendererTest, WindowsTheArraysCannotHoldAreRefused) {
  Drawing d(100);
  EXPECT_FALSE(d.draw(-1, 50));
  EXPECT_FALSE(d.draw(0, kSampleCapacity));
  EXPECT_FALSE(d.view.WaveDrawn);
  EXPECT_TRUE(d.draw(0, 150));  // beyond the record but within the arrays: they grow
}

}  // namespace
}  // namespace sondrix

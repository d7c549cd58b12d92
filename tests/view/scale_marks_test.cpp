#include "view/scale_marks.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

#include "view/engineering.h"

namespace sondrix {
namespace {

struct Labelled {
  WaveHeader header;
  ViewState view;
  Scene scene = InitialScene();

  // A record of 10,000 points at 1 us, triggered at its centre, shown whole at unit zoom.
  Labelled() {
    std::tie(header.Points, header.Delta, header.TrigAddr) = std::tuple(10000, 1e-6, 5000);
    for (ChannelSetup& c : header.Channel)
      std::tie(c.Vdiv, c.Unit) = std::tuple(0.5f, std::string(1, 'V'));
    ResetView(view, 10000);
    view.ShownTimeDiv = 0.001f;
    scene.xeLabel.text = scene.xcLabel.text = "old";
  }
  void label(int ch) { LabelChannel(header, view, ch, scene); }
};

// Start at five decimals, the rest two; the end is after EndIndex. A trigger outside the record
// hides the tick, end and centre (texts stay), a window of no span the tick only.
TEST(ScaleMarksTest, TimeCaptionsAndTriggerTick) {
  // window, trigger, sample interval -> start, end and centre captions (none: hidden), tick
  struct Case {
    std::int32_t start, end, trig;
    double delta;
    const char *xs, *xe, *xc;
    std::optional<double> tick;
  };
  const Case cases[] = {
      {0, 9999, 5000, 1e-6, "-5ms", "5ms", "0ns", 5000.0 / 9999.0},
      {4997, 5002, 5000, 1e-6, "-3us", "3us", "0ns", 0.6},
      {0, 1000, 5000, 1e-6, "-5ms", "-4ms", "-4.5ms", 5.0},
      {0, 9999, 2000, 1.0, "-2ks", "8ks", "3ks", 2000.0 / 9999.0},
      {0, 99, 20, 1e-9, "-20ns", "80ns", "30ns", 20.0 / 99.0},
      {0, 0, 0, 1e-6, "0ns", "1us", "500ns", std::nullopt},
      {0, 9999, -1, 1e-6, "1us", nullptr, nullptr, std::nullopt},
      {0, 9999, 10000, 1e-6, "-10ms", nullptr, nullptr, std::nullopt},
      {0, 9999, INT_MIN, 1e-6, "2.14748ks", nullptr, nullptr, std::nullopt},
      {0, 9999, INT_MAX, 1e-6, "-2.14748ks", nullptr, nullptr, std::nullopt},
  };
  for (const Case& c : cases) {
    Labelled l;
    std::tie(l.view.StartIndex, l.view.EndIndex) = std::tuple(c.start, c.end);
    std::tie(l.header.TrigAddr, l.header.Delta) = std::tuple(c.trig, c.delta);
    l.label(0);
    SCOPED_TRACE(testing::Message() << c.start << ".." << c.end << " trigger " << c.trig);
    EXPECT_EQ(l.scene.xsLabel.text, c.xs);
    EXPECT_EQ(l.scene.xeLabel.visible, c.xe != nullptr);
    EXPECT_EQ(l.scene.xcLabel.visible, c.xe != nullptr);
    EXPECT_EQ(l.scene.xeLabel.text, c.xe ? c.xe : "old");
    EXPECT_EQ(l.scene.xcLabel.text, c.xc ? c.xc : "old");
    const DelayTick& tick = l.scene.delayMark;
    EXPECT_EQ(tick.visible ? std::optional(tick.x) : std::nullopt, c.tick);
  }
}

// V/div follows the vertical zoom, drops the unit "N"; s/div is cut to five characters; 0 V mark.
TEST(ScaleMarksTest, ScaleCaptionsAndLevelMarkWhichClampsAndRounds) {
  const std::tuple<int, float, const char*, float, float, std::string, std::string> cases[] = {
      {0, 0.5f, "V", 2.0f, 0.0005f, "Ch1:250mV/div", "500us/div"},
      {1, 2.0f, "N", 1.0f, 0.0025f, "Ch2:2/div", "2.5ms/div"},
      {2, 1000.0f, "V", 1.0f, 1.0f / 3.0f, "Ch3:1kV/div", "333.3ms/div"},
  };
  for (const auto& [ch, vdiv, unit, yZoom, timeDiv, vdivText, tdivText] : cases) {
    Labelled l;
    std::tie(l.header.Channel[ch].Vdiv, l.header.Channel[ch].Unit) = std::tuple(vdiv, unit);
    std::tie(l.view.YZoom, l.view.ShownTimeDiv) = std::tuple(yZoom, timeDiv);
    l.label(ch);
    EXPECT_EQ(l.scene.vdivLabels[ch].text, vdivText);
    EXPECT_EQ(l.scene.tdivLabel.text, tdivText);
    EXPECT_FLOAT_EQ(l.scene.vrefLines[ch].y, 32768.0f / 65535.0f);
  }
  // Before the first draw the level marks and the time captions show. No count means 0 V at a
  // Vdiv of 0, and a range of no extent places nothing.
  Labelled l;
  EXPECT_TRUE(l.scene.vrefLines[3].visible && l.scene.tdivLabel.visible && l.scene.xsLabel.visible);
  l.header.Channel[1].Vdiv = 0.0f;
  l.label(1);
  EXPECT_FALSE(l.scene.vrefLines[1].visible);
  l.view.YTop = l.view.YBottom = 100.0f;
  l.label(0);
  EXPECT_FALSE(l.scene.vrefLines[0].visible);

  // offset, Vdiv -> count of 0 V: one division up is 8192 - 1; 0.5 - 1 = -0.5 rounds to even 0
  const std::tuple<float, float, std::optional<std::int16_t>> levels[] = {
      {0.0f, 1.0f, -1},        {1.0f, 1.0f, 8191},         {100.0f, 1.0f, 32767},
      {-100.0f, 1.0f, -32768}, {1.0f / 16384.0f, 1.0f, 0}, {1.0f, 0.0f, std::nullopt}};
  for (const auto& [offset, vdiv, level] : levels) {
    ChannelSetup c;
    std::tie(c.Offset, c.Vdiv) = std::tuple(offset, vdiv);
    EXPECT_EQ(ReferenceLevel(c), level) << offset << " " << vdiv;
  }
}

// 999.999 rounds up but keeps its row; 1e-13 is below the n row's decimals; 0.000999 and 3.35e-10
// lie just under the floats nearest 1e-3 and 0.335 ns; halves of the last decimal go to even.
TEST(EngineeringTest, PrefixByMagnitudeAndMantissaRoundedHalfToEven) {
  const std::pair<float, std::string> cases[] = {
      {0.5f, "500ms"},           {999.999f, "1000s"},  {0.0f, "0ns"},         {-0.0f, "0ns"},
      {1e-13f, "0ns"},           {2.5e-10f, "0.25ns"}, {3.35e-10f, "0.33ns"}, {0.000999f, "999us"},
      {1.0f / 3.0f, "333.33ms"}, {1234.5f, "1.23ks"},  {0.125f, "125ms"},     {1.125f, "1.12s"},
      {1.375f, "1.38s"}};
  for (const auto& [value, want] : cases) {
    EXPECT_EQ(CaptionText(ToEngineering(value, "s", kCaptionDecimals)), want) << value;
  }
}

}  // namespace
}  // namespace sondrix

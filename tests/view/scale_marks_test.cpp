#include "view/scale_marks.h"

#include <gtest/gtest.h>

#include <string>

namespace sondrix {
namespace {

struct Labelled {
  WaveHeader header;
  ViewState view;
  Scene scene = InitialScene();
};

// A record of 10,000 points at 1 us, triggered at its centre, shown whole at unit zoom.
Labelled Centred() {
  Labelled l;
  l.header.Points = 10000;
  l.header.Delta = 1e-6;
  l.header.TrigAddr = 5000;
  for (ChannelSetup& c : l.header.Channel) {
    c.Vdiv = 0.5f;
    c.Unit = "V";
  }
  ResetView(l.view, 10000);
  l.view.ShownTimeDiv = 0.001f;
  return l;
}

TEST(ScaleMarksTest, CaptionsOfAWholeRecordTriggeredAtItsCentre) {
  Labelled l = Centred();
  LabelChannel(l.header, l.view, 0, l.scene);
  EXPECT_EQ(l.scene.vdivLabels[0].text, "Ch1:500mV/div");
  EXPECT_EQ(l.scene.tdivLabel.text, "1ms/div");
  EXPECT_EQ(l.scene.xsLabel.text, "-5ms");
  EXPECT_EQ(l.scene.xeLabel.text, "5ms");
  EXPECT_EQ(l.scene.xcLabel.text, "0ns");
  EXPECT_TRUE(l.scene.delayMark.visible && l.scene.xeLabel.visible && l.scene.xcLabel.visible);
  EXPECT_DOUBLE_EQ(l.scene.delayMark.x, 5000.0 / 9999.0);
  // 0 V is count -1 (offset 0): just below the middle of the full range.
  EXPECT_FLOAT_EQ(l.scene.vrefLines[0].y, 32768.0f / 65535.0f);
  EXPECT_EQ(l.scene.vrefLines[0].colour, kChannelColours[0]);
}

TEST(ScaleMarksTest, VdivAndTdivCaptions) {
  struct Case {
    int ch;
    float vdiv;
    const char* unit;
    float yZoom;
    float timeDiv;
    std::string vdivText, tdivText;
  };
  const Case cases[] = {
      {0, 0.5f, "V", 2.0f, 0.0005f, "Ch1:250mV/div", "500us/div"},
      {1, 2.0f, "N", 1.0f, 0.0025f, "Ch2:2/div", "2.5ms/div"},
      {2, 1000.0f, "V", 1.0f, 1.0f / 3.0f, "Ch3:1kV/div", "333.3ms/div"},
      {3, 999.999f, "A", 1.0f, 0.0f, "Ch4:1000A/div", "0ns/div"},
      {0, 0.0f, "V", 1.0f, 2000.0f, "Ch1:0nV/div", "2ks/div"},
  };
  for (const Case& c : cases) {
    Labelled l = Centred();
    l.header.Channel[c.ch].Vdiv = c.vdiv;
    l.header.Channel[c.ch].Unit = c.unit;
    l.view.YZoom = c.yZoom;
    l.view.ShownTimeDiv = c.timeDiv;
    LabelChannel(l.header, l.view, c.ch, l.scene);
    EXPECT_EQ(l.scene.vdivLabels[c.ch].text, c.vdivText);
    EXPECT_EQ(l.scene.tdivLabel.text, c.tdivText);
  }
}

TEST(ScaleMarksTest, TriggerOutsideTheRecordHidesTickEndAndCentre) {
  for (int trig : {-1, 10000, INT32_MIN, INT32_MAX}) {
    Labelled l = Centred();
    l.scene.xeLabel.text = "old";
    l.header.TrigAddr = trig;
    LabelChannel(l.header, l.view, 0, l.scene);
    EXPECT_FALSE(l.scene.delayMark.visible) << trig;
    EXPECT_FALSE(l.scene.xeLabel.visible) << trig;
    EXPECT_FALSE(l.scene.xcLabel.visible) << trig;
    EXPECT_EQ(l.scene.xeLabel.text, "old");
    EXPECT_FALSE(l.scene.xsLabel.text.empty());
  }
  Labelled l = Centred();
  l.header.TrigAddr = -1;
  LabelChannel(l.header, l.view, 0, l.scene);
  EXPECT_EQ(l.scene.xsLabel.text, "1us");
}

TEST(ScaleMarksTest, ZoomedWindowAndStartCaptionDecimals) {
  Labelled l = Centred();
  l.view.StartIndex = 4997;
  l.view.EndIndex = 5002;
  LabelChannel(l.header, l.view, 0, l.scene);
  EXPECT_EQ(l.scene.xsLabel.text, "-3us");
  EXPECT_EQ(l.scene.xeLabel.text, "3us");  // EndIndex + 1
  EXPECT_EQ(l.scene.xcLabel.text, "0ns");
  EXPECT_DOUBLE_EQ(l.scene.delayMark.x, 3.0 / 5.0);
  // The trigger beyond the window still inside the record: the tick lies right of the surface.
  l.view.StartIndex = 0;
  l.view.EndIndex = 1000;
  LabelChannel(l.header, l.view, 0, l.scene);
  EXPECT_TRUE(l.scene.delayMark.visible);
  EXPECT_DOUBLE_EQ(l.scene.delayMark.x, 5.0);
}

TEST(ScaleMarksTest, KiloSecondWindowsKeepTheCentreRight) {
  Labelled l = Centred();
  l.header.Delta = 1.0;  // 10,000 s across
  l.header.TrigAddr = 2000;
  LabelChannel(l.header, l.view, 0, l.scene);
  EXPECT_EQ(l.scene.xsLabel.text, "-2ks");
  EXPECT_EQ(l.scene.xeLabel.text, "8ks");
  EXPECT_EQ(l.scene.xcLabel.text, "3ks");
}

TEST(ScaleMarksTest, MarksThatCannotBePlacedAreHidden) {
  Labelled l = Centred();
  l.header.Channel[1].Vdiv = 0.0f;  // no count means 0 V
  LabelChannel(l.header, l.view, 1, l.scene);
  EXPECT_FALSE(l.scene.vrefLines[1].visible);

  Labelled flat = Centred();
  flat.view.YTop = flat.view.YBottom = 100.0f;  // a vertical range of no extent
  LabelChannel(flat.header, flat.view, 0, flat.scene);
  EXPECT_FALSE(flat.scene.vrefLines[0].visible);

  Labelled one = Centred();
  one.header.Points = 1;
  one.header.TrigAddr = 0;
  one.view.EndIndex = 0;  // a window of zero span
  LabelChannel(one.header, one.view, 0, one.scene);
  EXPECT_FALSE(one.scene.delayMark.visible);
  EXPECT_TRUE(one.scene.xeLabel.visible);
}

TEST(ScaleMarksTest, ReferenceLevelClampsAndRounds) {
  const auto level = [](float offset, float vdiv) {
    ChannelSetup c;
    c.Offset = offset;
    c.Vdiv = vdiv;
    return ReferenceLevel(c);
  };
  EXPECT_EQ(level(0.0f, 1.0f), -1);
  EXPECT_EQ(level(1.0f, 1.0f), 8191);  // one division up
  EXPECT_EQ(level(100.0f, 1.0f), 32767);
  EXPECT_EQ(level(-100.0f, 1.0f), -32768);
  EXPECT_EQ(level(1.0f / 16384.0f, 1.0f), -0);  // 0.5 - 1 = -0.5 rounds to even 0
  EXPECT_FALSE(level(1.0f, 0.0f).has_value());
}

}  // namespace
}  // namespace sondrix

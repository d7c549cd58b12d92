#include "view/report_title.h"

#include <gtest/gtest.h>

namespace sondrix {
namespace {

// The heading is what the capture states, trimmed, the missing pieces left out; the scales are
// the shown channels' captions in their colours and the time per division, once drawn.
TEST(ReportTitleTest, NamesTheCaptureAndItsShownScales) {
  WaveHeader header;
  header.AcqTime = " 2026/12/07 10:00:00\r\n";
  header.ModelName = "";
  Scene scene = InitialScene();
  EXPECT_EQ(MakeReportTitle("a.wfm", header, scene).heading, "a.wfm   2026/12/07 10:00:00");
  EXPECT_TRUE(MakeReportTitle("a.wfm", header, scene).scales.empty()) << "nothing drawn yet";
  header.AcqTime = "  ";
  header.ModelName = "M4";
  EXPECT_EQ(MakeReportTitle("", header, scene).heading, "M4");

  scene.graticule.drawn = true;
  scene.vdivLabels[1].visible = false;
  const ReportTitle title = MakeReportTitle("a.wfm", header, scene);
  ASSERT_EQ(title.scales.size(), 4u);
  EXPECT_EQ(title.scales[1], (ReadoutPiece{scene.vdivLabels[2].text, kChannelColours[2]}));
  EXPECT_EQ(title.scales[3], (ReadoutPiece{scene.tdivLabel.text, kWhite}));
}

}  // namespace
}  // namespace sondrix

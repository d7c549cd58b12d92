#include "view/report_title.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace sondrix {
namespace {

// The heading is what the capture states, trimmed, the missing pieces left out; the scales are
// the shown channels' volts per division at the magnification, in their colours, and the time per
// division, once drawn, as read-outs are written.
TEST(ReportTitleTest, NamesTheCaptureAndItsShownScales) {
  WaveHeader header;
  header.AcqTime = " 2026/12/07 10:00:00\r\n";
  header.ModelName = "";
  Scene scene = InitialScene();
  ViewState view;
  EXPECT_EQ(MakeReportTitle("a.wfm", header, view, scene).heading, "a.wfm   2026/12/07 10:00:00");
  EXPECT_TRUE(MakeReportTitle("a.wfm", header, view, scene).scales.empty()) << "not drawn yet";
  header.AcqTime = "  ";
  header.ModelName = "M4";
  EXPECT_EQ(MakeReportTitle("", header, view, scene).heading, "M4");

  scene.graticule.drawn = true;
  scene.vdivLabels[1].visible = false;
  std::tie(view.YZoom, view.ShownTimeDiv) = std::tuple(4.0f, 1e-4f);
  std::tie(header.Channel[0].Vdiv, header.Channel[2].Vdiv) = std::tuple(0.2f, 2.0f);
  std::tie(header.Channel[0].Unit, header.Channel[2].Unit, header.Channel[3].Unit) =
      std::tuple("V", "A", "N");
  const ReportTitle title = MakeReportTitle("a.wfm", header, view, scene);
  EXPECT_EQ(title.scales, (std::vector<ReadoutPiece>{{"Ch1:50mV/div", kChannelColours[0]},
                                                     {"Ch3:500mA/div", kChannelColours[2]},
                                                     {"Ch4:0/div", kChannelColours[3]},
                                                     {"100us/div", kWhite}}));
}

}  // namespace
}  // namespace sondrix

#include "app/report_picture.h"

#include <gtest/gtest.h>

#include <tuple>

#include <QImage>

namespace sondrix {
namespace {

// A drawn scene with one yellow trace across the middle.
Scene DrawnScene() {
  Scene scene = InitialScene();
  scene.graticule.drawn = true;
  scene.traces.push_back({.channel = 0,
                          .colour = kChannelColours[0],
                          .scale = {0, 9, 10, -10},
                          .points = {{0, 0}, {9, 0}}});
  return scene;
}

ReportContent Content(const Scene& scene) {
  ReportContent content;
  content.scene = &scene;
  WaveHeader header;
  header.Channel[0].Vdiv = 1.0f;
  ViewState view;
  view.YZoom = 1.0f;
  content.title = MakeReportTitle("four.wfm", header, view, scene);
  content.readouts = {{"Xｶｰｿﾙ=0s", kWhite}, {"Ch1:1V", kChannelColours[0]}};
  return content;
}

// Rows and columns holding anything but the black ground.
QRect Drawn(const QImage& image) {
  QRect drawn;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if ((image.pixel(x, y) & 0xFFFFFF) != 0) drawn |= QRect(x, y, 1, 1);
    }
  }
  return drawn;
}

// Pixels of the colour or of its antialiased text, at least half as bright.
int Count(const QImage& image, QRect area, QRgb colour) {
  const auto like = [colour](QRgb pixel) {
    for (const int shift : {0, 8, 16}) {
      const int want = (colour >> shift) & 0xFF, got = (pixel >> shift) & 0xFF;
      if (want == 0 ? got > 0x40 : got < 0x80) return false;
    }
    return true;
  };
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) n += like(image.pixel(x, y)) ? 1 : 0;
  }
  return n;
}

// The graticule keeps 10 : 8 and, with the texts, spans the picture's width or its height; text
// grows with the picture.
TEST(ReportPictureTest, TheGraticuleFillsThePictureAndTheTextGrowsWithIt) {
  const Scene scene = DrawnScene();
  const ReportContent content = Content(scene);
  QImage device(1, 1, QImage::Format_RGB32);
  const int text = LayOutReport(&device, {660, 528}, content).textPixels;
  EXPECT_EQ(std::tuple(LayOutReport(&device, {1320, 1056}, content).textPixels,
                       LayOutReport(&device, {1920, 528}, content).textPixels),
            std::tuple(2 * text, text));
  for (const QSize size : {QSize(660, 528), QSize(1920, 1080), QSize(500, 1000)}) {
    SCOPED_TRACE(size.width());
    const ReportLayout layout = LayOutReport(&device, size, content);
    EXPECT_NEAR(layout.graticule.width() * kDivisionsY / kDivisionsX, layout.graticule.height(),
                1e-9);
    const QRect drawn = Drawn(ReportImage(content, size));
    const int pad = layout.textPixels;
    EXPECT_TRUE((drawn.left() <= pad && drawn.right() >= size.width() - pad) ||
                (drawn.top() <= pad && drawn.bottom() >= size.height() - 2 * pad))
        << drawn.left() << ' ' << drawn.top() << ' ' << drawn.right() << ' ' << drawn.bottom();
  }
}

// The strip names the shown channels in their colours above the graticule; the cursors are red
// lines only while they are shown.
TEST(ReportPictureTest, TheStripIsInTheChannelsColoursAndTheCursorsShowOnlyWhenShown) {
  Scene scene = DrawnScene();
  scene.vdivLabels[1].visible = false;
  ReportContent content = Content(scene);
  const QSize size(660, 528);
  QImage device(1, 1, QImage::Format_RGB32);
  const QRect graticule = LayOutReport(&device, size, content).graticule.toAlignedRect();
  const QRect strip(0, 0, size.width(), graticule.top());
  QImage image = ReportImage(content, size);
  EXPECT_GT(Count(image, strip, 0xFFFF00), 20);
  EXPECT_EQ(Count(image, strip, 0xFF00FF), 0) << "Ch2 is not shown";
  EXPECT_EQ(Count(image, image.rect(), 0xFF0000), 0);
  content.cursors = QPointF(0.5, 0.25);
  image = ReportImage(content, size);
  // One pixel wide, as on screen, at this size.
  const int red = Count(image, image.rect(), 0xFF0000);
  EXPECT_GE(red, graticule.width() + graticule.height() - 10);
  EXPECT_LE(red, graticule.width() + graticule.height() + 10);
  content.mark = 0.25;
  EXPECT_GE(Count(ReportImage(content, size), graticule, 0xFFA000), graticule.height() - 2);
}

}  // namespace
}  // namespace sondrix

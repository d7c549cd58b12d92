#include <QImage>

#include "app/wave_frame.h"
#include "form_fixture.h"

namespace sondrix::testing {
namespace {

class WindowPictureTest : public FormTest {};

// How many pixels of the rectangle have exactly this colour.
int Count(const QImage& image, const QRect& area, QRgb colour) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF) ? 1 : 0;
    }
  }
  return n;
}

TEST_F(WindowPictureTest, APlayedCaptureShowsOnABlackSurfaceInTheChannelColours) {
  writeCapture("four.wfm", synth::SineCapture(4, 50000));
  form().resize(1200, 780);
  form().show();
  play("four.wfm");

  const auto png = root.path() / "window.png";
  ASSERT_TRUE(form().grab().save(Q(png)));
  QImage image(Q(png));
  ASSERT_FALSE(image.isNull());
  image = image.convertToFormat(QImage::Format_RGB32);
  const qreal scale = image.width() / static_cast<qreal>(form().width());

  const WaveSurface& surface = *form().waveFrame().surface();
  const QRect logical(surface.mapTo(&form(), QPoint(0, 0)), surface.size());
  const QRect area(QPoint(int(logical.left() * scale), int(logical.top() * scale)),
                   QPoint(int(logical.right() * scale), int(logical.bottom() * scale)));
  const int pixels = area.width() * area.height();

  EXPECT_GT(Count(image, area, qRgb(0, 0, 0)), pixels / 3) << "mostly black";
  for (const QRgb colour :
       {qRgb(255, 255, 0), qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(0, 255, 0)}) {
    EXPECT_GT(Count(image, area, colour), 200) << std::hex << colour;
  }
  EXPECT_GT(Count(image, area, qRgb(255, 255, 255)), 100) << "the dotted graticule";

  // The two cursors cross in the middle, in red.
  const QPoint middle = area.center();
  const QRect column(middle.x() - 2, area.top() + 2, 5, area.height() - 4);
  EXPECT_GT(Count(image, column, qRgb(255, 0, 0)), area.height() / 2);
  const QRect row(area.left() + 2, middle.y() - 2, area.width() - 4, 5);
  EXPECT_GT(Count(image, row, qRgb(255, 0, 0)), area.width() / 2);
}

}  // namespace
}  // namespace sondrix::testing

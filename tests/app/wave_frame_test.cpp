#include "app/wave_frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include <QImage>
#include <QSlider>

#include "document/document.h"
#include "support/files.h"
#include "synth/wfm_writer.h"

namespace sondrix {
namespace {

// At any size: centred in the room the marks and the level slider leave, the sliders spanning it,
// the captions above and below it without overlap, the marks where the scene puts them.
TEST(WaveFrameTest, EverythingSitsAroundASurfaceOfTenByEight) {
  const testing::TempDir dir;
  synth::Capture capture = synth::SineCapture(4, 5000);
  synth::WriteBytes(dir / "four.wfm", synth::SerializeWfm(synth::MakeCapture(capture)));
  Document document;
  NullSink quiet;
  ASSERT_TRUE(document.load(FileKind::Wfm, dir / "four.wfm", quiet).ok);
  document.showWhole();
  const Scene& scene = document.scene();

  WaveFrame frame(nullptr);
  frame.setAttribute(Qt::WA_DontShowOnScreen);
  frame.show();
  frame.showScene(&scene);
  frame.showReadouts(document.readouts());
  const QSize least = frame.minimumSizeHint();
  for (const QSize size : {least, QSize(760, 680), QSize(1500, 520), QSize(520, 1100),
                           QSize(900, frame.heightForWidth(900))}) {
    SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()));
    frame.resize(size);
    const auto at = [&frame](const char* name) {
      return frame.findChild<QWidget*>(QString::fromLatin1(name))->geometry();
    };
    const QRect area = frame.contentsRect().adjusted(4, 4, -4, -4);
    const QRect s = frame.surface()->geometry();
    EXPECT_EQ(s.height(), s.width() * 8 / 10);
    EXPECT_EQ(s.width() == 190, size == least) << "the smallest surface at the least size";

    const QRect level = frame.sliderY()->geometry();
    const QRect time = frame.sliderX()->geometry();
    EXPECT_EQ(QList<int>({level.top(), level.height(), time.left(), time.width()}),
              QList<int>({s.top(), s.height(), s.left(), s.width()}));
    EXPECT_EQ(level.left(), s.right() + 1 + 4);
    const QRect delay = at("DelayMark");
    const int mark = std::max(8, area.width() / 50 + 2);  // room for the level and trigger marks
    EXPECT_EQ(time.top(), s.bottom() + 1 + mark);
    EXPECT_EQ(delay.top(), s.bottom() + 1);
    EXPECT_EQ(delay.left() + 1, s.left() + std::lround(scene.delayMark.x * (s.width() - 1)));

    const QRect xs = at("XSLabel");
    const QRect xc = at("XCLabel");
    const QRect xe = at("XELabel");
    EXPECT_EQ(QList<int>({xs.left(), xc.left(), xe.left(), xe.right(), xs.top()}),
              QList<int>({s.left(), xs.right() + 1, xc.right() + 1, s.right(), time.bottom() + 1}));
    EXPECT_EQ(xs.width(), s.width() / 3);
    const QRect readouts = at("CursorReadout");
    EXPECT_EQ(QList<int>({readouts.left(), readouts.width(), readouts.top()}),
              QList<int>({area.left(), area.width(), xs.bottom() + 1}));
    if (size.height() == frame.heightForWidth(size.width())) {
      // The height is rounded up to whole pixels for the surface.
      EXPECT_NEAR(readouts.bottom(), area.bottom(), 1) << "no room to spare below the read-outs";
    }

    // The level marks end at the surface's left edge, at their channel's reference level.
    for (int ch = 0; ch < 4; ++ch) {
      const QRect line = at(("VrefLine" + std::to_string(ch)).c_str());
      const double y = scene.vrefLines[static_cast<std::size_t>(ch)].y;
      EXPECT_EQ(line.right() + 1, s.left());
      EXPECT_GE(line.left(), area.left());
      EXPECT_EQ(line.top() + 1, s.top() + std::lround(y * (s.height() - 1)));
    }
    // The V/div captions line up above the surface, the time per division right of them.
    QRect previous;
    for (int ch = 0; ch < 4; ++ch) {
      const QRect caption = at(("VdivLabel" + std::to_string(ch)).c_str());
      EXPECT_EQ(caption.top(), area.top());
      EXPECT_LT(caption.bottom(), s.top());
      EXPECT_GE(caption.left(), area.left());
      if (ch > 0) {
        EXPECT_EQ(caption.left(), previous.right() + 1 + 4);
      }
      previous = caption;
    }
    const QRect tdiv = at("TdivLabel");
    EXPECT_GT(tdiv.left(), previous.right());
    EXPECT_LE(tdiv.right(), area.right());
    EXPECT_EQ(tdiv.top(), area.top());

    // Centred between the marks' room and the column of the level slider and time per division.
    const int rightColumn =
        std::max(4 + level.width(),
                 frame.fontMetrics().horizontalAdvance(QStringLiteral("999.99ms/div")) + 8);
    EXPECT_NEAR(s.left() - area.left() - mark, area.right() - s.right() - rightColumn, 1);
  }
  // The height for a width is the least at which the width alone limits the surface.
  const QSize before = frame.size();
  frame.resize(900, 2000);
  const int widest = frame.surface()->width();
  frame.resize(900, frame.heightForWidth(900));
  EXPECT_EQ(frame.surface()->width(), widest);
  frame.resize(900, frame.heightForWidth(900) - 2);
  EXPECT_LT(frame.surface()->width(), widest);
  frame.resize(before);

  frame.showMeasurements(document.measurements());
  const QRect table = frame.findChild<QWidget*>(QStringLiteral("MeasureTable"))->geometry();
  EXPECT_TRUE(QRect(QPoint(), frame.surface()->size()).contains(table));
  EXPECT_GT(table.width(), 100);
  // Each vertex of the last trace shows its colour, and each division line the grid's dots.
  frame.surface()->setCursorsVisible(false);
  const QImage painted = frame.surface()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const double w = painted.width() - 1;
  const double h = painted.height() - 1;
  const auto colourAt = [&painted](double x, double y) {
    return painted.pixel(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))) &
           0xFFFFFFu;
  };
  const auto rgb = [](Rgb c) { return QColor(c.r, c.g, c.b).rgb() & 0xFFFFFFu; };
  const Trace& last = scene.traces.back();
  for (std::size_t i = 0; i < last.points.size(); i += last.points.size() / 16) {
    const TracePoint& p = last.points[i];
    EXPECT_EQ(colourAt(last.scale.xFraction(p.index) * w, last.scale.yFraction(p.value) * h),
              rgb(last.colour))
        << i;
  }
  for (int line = 1; line < 10; ++line) {
    int dots = 0;
    for (int y = 0; y < painted.height(); ++y) {
      dots += colourAt(line * w / 10, y) == rgb(scene.graticule.gridColour) ? 1 : 0;
    }
    EXPECT_GT(dots, painted.height() / 8) << "division " << line;
  }
}

}  // namespace
}  // namespace sondrix

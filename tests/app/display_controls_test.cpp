#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include "app/qt_text.h"
#include "app/wave_frame.h"
#include "form_fixture.h"

namespace sondrix::testing {
namespace {

// One test per display command: each reaches the view arithmetic (tested in the core) and shows
// its result in the boxes, the captions or the picture.
class DisplayControlsTest : public FormTest {
 protected:
  void SetUp() override {
    writeCapture("four.wfm", synth::SineCapture(4, 10000));
    play("four.wfm");
  }
  void press(const char* button) { child<QPushButton>(button)->click(); }
  void enter(const char* box, const QString& text) {
    auto* edit = child<QLineEdit>(box);
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_Return);
  }
  QString text(const char* box) { return child<QLineEdit>(box)->text(); }
  WaveSurface& surface() { return *form().waveFrame().surface(); }
};

// How many pixels of the rectangle have exactly this colour.
int Count(const QImage& image, const QRect& area, QColor colour) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) n += image.pixelColor(x, y) == colour;
  }
  return n;
}

TEST_F(DisplayControlsTest, TheSurfacePaintsEachTraceInItsColourOnTheBlackGraticule) {
  form().resize(1200, 780);
  form().show();
  EXPECT_TRUE(form().waveFrame().rect().contains(surface().geometry()));
  EXPECT_NEAR(surface().height() * 10.0 / surface().width(), 8.0, 0.1) << "square divisions";
  const QImage image = surface().grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QRect all = image.rect();
  EXPECT_GT(Count(image, all, Qt::black), all.width() * all.height() / 3);
  for (const Trace& trace : form().scene().traces) {
    EXPECT_GT(Count(image, all, ToQColor(trace.colour)), 200) << Std(ToQColor(trace.colour).name());
  }
  EXPECT_GT(Count(image, all, Qt::white), 100) << "the dotted graticule";
  // The two red cursors cross in the middle.
  const QPoint middle = all.center();
  EXPECT_GT(Count(image, QRect(middle.x() - 2, 0, 5, all.height()), Qt::red), all.height() / 2);
  EXPECT_GT(Count(image, QRect(0, middle.y() - 2, all.width(), 5), Qt::red), all.width() / 2);
}

TEST_F(DisplayControlsTest, ZoomAndZoomReset) {
  press("Expand");
  EXPECT_EQ(form().view().XZoom, 2.0f);
  EXPECT_EQ(child<QLabel>("TdivLabel")->text(), "500us/div");
  child<QLineEdit>("ZoomRate")->setText("1e99");
  press("Expand");
  EXPECT_EQ(text("ZoomRate"), "1") << "the checked boxes are shown";
  press("XReset");
  EXPECT_EQ(form().view().XZoom, 1.0f);
  EXPECT_EQ(child<QLabel>("TdivLabel")->text(), "1ms/div");
}

TEST_F(DisplayControlsTest, SlidersTheTypedPositionAndTheResetMoveTheCursors) {
  child<QSlider>("SliderX")->setValue(250);
  EXPECT_EQ(text("ExpPos"), "2.5");
  EXPECT_DOUBLE_EQ(surface().cursorX(), 0.25);
  child<QSlider>("SliderY")->setValue(8192);
  EXPECT_EQ(text("YExpPos"), "3");
  EXPECT_NEAR(surface().cursorY(), (8192.0 + 32768.0) / 65535.0, 1e-12);
  enter("ExpPos", "7");
  EXPECT_NEAR(child<QWidget>("CLine")->geometry().center().x(), 0.7 * (surface().width() - 1), 1);
  press("ResetCursor");
  EXPECT_EQ(child<QSlider>("SliderX")->value(), 500);
  EXPECT_EQ(text("YExpPos"), "4");
  child<QCheckBox>("CdCheck")->setChecked(true);
  EXPECT_TRUE(child<QWidget>("CLine")->isHidden());
}

TEST_F(DisplayControlsTest, TheSmoothingChoiceAndWidthRedrawTheCurrentWindow) {
  press("Expand");
  child<QRadioButton>("smOption1")->setChecked(true);
  EXPECT_EQ(form().scene().traces.size(), 8u) << "source and smoothed";
  EXPECT_EQ(form().view().XZoom, 2.0f) << "the zoomed window is kept";
  child<QLineEdit>("SmPoints")->setText("8");
  EXPECT_EQ(text("SmPoints"), "8") << "a width without Enter waits for the next draw";
  enter("SmPoints", "8");
  EXPECT_EQ(text("SmPoints"), "9");
  child<QRadioButton>("smOption0")->setChecked(true);
  EXPECT_EQ(form().scene().traces.size(), 4u);
}

}  // namespace
}  // namespace sondrix::testing

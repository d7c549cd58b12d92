#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QWheelEvent>

#include "app/qt_text.h"
#include "app/wave_frame.h"
#include "form_fixture.h"
#include "synth/signals.h"
#include "view/measurements.h"
#include "view/zoom.h"

namespace sondrix::testing {
namespace {

// One test per command of the waveform surface: its context menu, its mouse, and the cursors'
// read-out line. The arithmetic behind each is tested in the core.
class SurfaceCommandsTest : public FormTest {
 protected:
  void SetUp() override {
    writeCapture("four.wfm", synth::SineCapture(4, 10000));
    form().resize(1200, 780);
    form().show();
    play("four.wfm");
  }
  WaveFrame& frame() { return form().waveFrame(); }
  WaveSurface& surface() { return *frame().surface(); }
  QString text(const char* box) { return child<QLineEdit>(box)->text(); }
  // Whole notches of the wheel at a fraction of the surface.
  void wheel(int notches, QPointF at, Qt::KeyboardModifiers keys = Qt::NoModifier) {
    const QPointF pixel(at.x() * (surface().width() - 1), at.y() * (surface().height() - 1));
    QWheelEvent event(pixel, surface().mapToGlobal(pixel), {}, {0, notches * 120}, Qt::NoButton,
                      keys, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&surface(), &event);
  }
};

TEST_F(SurfaceCommandsTest, SavePictureWritesTheFrameAsPng) {
  const QString chosen = Q(root.path() / "wave");
  services.chosen = chosen;
  child<QAction>("SavePicture")->trigger();
  ASSERT_EQ(services.dialogs.size(), 1u);
  EXPECT_EQ(services.dialogs[0].mode, FileDialogMode::Save);
  EXPECT_EQ(services.dialogs[0].initialName, "Wave1.png");
  EXPECT_EQ(services.dialogs[0].folder, form().DataFolder() + QDir::separator() + "Output");
  const QImage written(chosen + ".png");
  EXPECT_EQ(written.size(), frame().size() * frame().devicePixelRatio());
  EXPECT_EQ(form().statusText(1), U("波形画像を保存しました｡"));
  EXPECT_EQ(QDir::currentPath(), QDir(form().DataFolder()).absolutePath());

  // The next save offers the last name; a cancel writes nothing and says nothing.
  services.chosen = std::nullopt;
  child<QAction>("SavePicture")->trigger();
  EXPECT_EQ(services.dialogs[1].initialName, "wave.png");
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(SurfaceCommandsTest, CopyPicturePutsTheFrameOnTheClipboard) {
  QGuiApplication::clipboard()->clear();
  child<QAction>("CopyPicture")->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->image().size(),
            frame().size() * frame().devicePixelRatio());
  EXPECT_EQ(form().statusText(1), U("波形画像をコピーしました｡"));
}

TEST_F(SurfaceCommandsTest, MeasureShowsTheTableOfTheWindowUntilTurnedOff) {
  synth::Capture capture = synth::SineCapture(2, 10000);
  capture.channels[0].samples = synth::Sine(10000, 8000, 5);  // 5 periods in 10 ms
  writeCapture("five.wfm", capture);
  play("five.wfm");
  const MeasurementOverlay& table = *surface().measurements();
  EXPECT_TRUE(table.isHidden());
  child<QAction>("Measure")->trigger();
  ASSERT_FALSE(table.isHidden());
  ASSERT_EQ(table.table().rows.size(), 2u);
  EXPECT_EQ(table.table().rows[0].cells[6], "500Hz");
  // A zoom measures the new window.
  child<QPushButton>("Expand")->click();
  const ViewState& view = form().view();
  EXPECT_EQ(
      table.table().rows,
      TabulateMeasurements(form().record().header,
                           MeasureShownChannels(form().record(), view.StartIndex, view.EndIndex))
          .rows);
  child<QAction>("Measure")->trigger();
  EXPECT_TRUE(table.isHidden());
}

TEST_F(SurfaceCommandsTest, TheWheelZoomsThroughTheZoomButton) {
  ViewState expected = form().view();
  wheel(1, {0.72, 0.5});
  // The boxes hold what the zoom was pressed with, and the view is that press's.
  EXPECT_EQ(text("ZoomRate"), "2");
  EXPECT_EQ(text("YZoomRate"), "1");
  ZoomBoxes boxes{"2", "1", Std(text("ExpPos")), Std(text("YExpPos"))};
  const auto window = Expand(form().record().header, expected, boxes);
  ASSERT_TRUE(window);
  EXPECT_EQ(form().view().StartIndex, window->start);
  EXPECT_EQ(form().view().EndIndex, window->end);
  EXPECT_EQ(form().view().XZoom, 2.0f);
  EXPECT_EQ(child<QLabel>("TdivLabel")->text(), "500us/div");
  EXPECT_DOUBLE_EQ(surface().cursorX(), 0.5) << "the cursor stays with its slider";

  wheel(1, {0.5, 0.25}, Qt::ControlModifier);
  EXPECT_EQ(form().view().YZoom, 2.0f);
  EXPECT_EQ(form().view().XZoom, 2.0f);
  wheel(-1, {0.5, 0.5});
  EXPECT_EQ(form().view().XZoom, 1.0f);
}

TEST_F(SurfaceCommandsTest, ADoubleClickResetsTheZoom) {
  child<QPushButton>("Expand")->click();
  QTest::mouseDClick(&surface(), Qt::LeftButton);
  EXPECT_EQ(form().view().XZoom, 1.0f);
  EXPECT_EQ(form().view().EndIndex, 9999);
}

TEST_F(SurfaceCommandsTest, TheReadoutsFollowTheCursorsAndHideWithThem) {
  const ReadoutLine& line = *frame().readouts();
  ASSERT_FALSE(line.isHidden());
  EXPECT_TRUE(line.text().startsWith(U("Xｶｰｿﾙ=0ns  Ch1:")));
  child<QSlider>("SliderX")->setValue(625);  // sample 6249, a crest of channel 1
  EXPECT_TRUE(line.text().startsWith(U("Xｶｰｿﾙ=1.249ms  Ch1:244.14mV")))
      << line.text().toStdString();
  child<QLineEdit>("ExpPos")->setText("0");
  QTest::keyClick(child<QLineEdit>("ExpPos"), Qt::Key_Return);
  EXPECT_TRUE(line.text().startsWith(U("Xｶｰｿﾙ=-5ms"))) << line.text().toStdString();
  child<QSlider>("SliderY")->setValue(-8192);  // 5 divisions up: count 8191
  EXPECT_TRUE(line.text().endsWith(U("Ch4:499.94mV"))) << line.text().toStdString();
  child<QCheckBox>("CdCheck")->setChecked(true);
  EXPECT_TRUE(line.isHidden());
}

}  // namespace
}  // namespace sondrix::testing

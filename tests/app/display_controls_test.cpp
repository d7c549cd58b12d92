#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QRadioButton>
#include <QSlider>
#include <QWheelEvent>

#include "app/qt_text.h"
#include "app/wave_frame.h"
#include "form_fixture.h"
#include "view/measurements.h"
#include "view/zoom.h"

namespace sondrix::testing {
namespace {

// One test per display command: the buttons and boxes, the surface's context menu and mouse.
// Each reaches the view arithmetic (tested in the core) and shows its result in the boxes, the
// captions, the picture or the read-out line.
class DisplayControlsTest : public FormTest {
 protected:
  void SetUp() override {
    writeCapture("four.wfm", synth::SineCapture(4, 10000));
    form().resize(1200, 780);
    form().show();
    play("four.wfm");
  }
  WaveFrame& frame() { return form().waveFrame(); }
  WaveSurface& surface() { return *frame().surface(); }
  QString tdiv() { return child<QLabel>("TdivLabel")->text(); }
  // Whole notches of the wheel at a fraction of the surface.
  void wheel(int notches, QPointF at, Qt::KeyboardModifiers keys = Qt::NoModifier) {
    const QPointF pixel(at.x() * (surface().width() - 1), at.y() * (surface().height() - 1));
    QWheelEvent event(pixel, surface().mapToGlobal(pixel), {}, {0, notches * 120}, Qt::NoButton,
                      keys, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&surface(), &event);
  }
};

TEST_F(DisplayControlsTest, ZoomButtonsAndADoubleClickReset) {
  press("Expand");
  EXPECT_EQ(form().view().XZoom, 2.0f);
  EXPECT_EQ(tdiv(), "500us/div");
  press("XReset");
  EXPECT_EQ(form().view().XZoom, 1.0f);
  EXPECT_EQ(tdiv(), "1ms/div");
  press("Expand");
  QTest::mouseDClick(&surface(), Qt::LeftButton);
  EXPECT_EQ(form().view().XZoom, 1.0f);
  EXPECT_EQ(form().view().EndIndex, 9999);
}

TEST_F(DisplayControlsTest, TheWheelZoomsThroughTheZoomButton) {
  ViewState before = form().view();
  wheel(1, {0.72, 0.5});
  // The boxes hold what the zoom was pressed with, and the view is that press's.
  EXPECT_EQ(text("ZoomRate"), "2");
  EXPECT_EQ(text("YZoomRate"), "1");
  ZoomBoxes boxes{"2", "1", Std(text("ExpPos")), Std(text("YExpPos"))};
  const auto window = Expand(form().record().header, before, boxes);
  ASSERT_TRUE(window);
  EXPECT_EQ(form().view().StartIndex, window->start);
  EXPECT_EQ(form().view().EndIndex, window->end);
  EXPECT_EQ(tdiv(), "500us/div");
  EXPECT_DOUBLE_EQ(surface().cursorX(), 0.5) << "the cursor stays with its slider";

  wheel(1, {0.5, 0.25}, Qt::ControlModifier);
  EXPECT_EQ(form().view().YZoom, 2.0f);
  EXPECT_EQ(form().view().XZoom, 2.0f);
  wheel(-1, {0.5, 0.5});
  EXPECT_EQ(form().view().XZoom, 1.0f);
}

// The sliders, the typed position and the reset move the cursors and their read-outs; the
// check box hides both.
TEST_F(DisplayControlsTest, TheCursorCommandsMoveTheCursorsAndTheirReadouts) {
  const ReadoutLine& line = *frame().readouts();
  ASSERT_FALSE(line.isHidden());
  child<QSlider>("SliderX")->setValue(625);  // sample 6249, a crest of channel 1
  EXPECT_EQ(text("ExpPos"), "6.25");
  EXPECT_DOUBLE_EQ(surface().cursorX(), 0.625);
  EXPECT_TRUE(line.text().startsWith(U("Xｶｰｿﾙ=1.249ms  Ch1:244.14mV"))) << Std(line.text());
  child<QSlider>("SliderY")->setValue(-8192);  // 5 divisions up: count 8191
  EXPECT_EQ(text("YExpPos"), "5");
  EXPECT_NEAR(surface().cursorY(), (-8192.0 + 32768.0) / 65535.0, 1e-12);
  EXPECT_TRUE(line.text().endsWith(U("Ch4:499.94mV"))) << Std(line.text());
  enter("ExpPos", "7");
  EXPECT_NEAR(child<QWidget>("CLine")->geometry().center().x(), 0.7 * (surface().width() - 1), 1);
  EXPECT_TRUE(line.text().startsWith(U("Xｶｰｿﾙ=1.999ms"))) << Std(line.text());
  press("ResetCursor");
  EXPECT_EQ(child<QSlider>("SliderX")->value(), 500);
  EXPECT_EQ(text("YExpPos"), "4");
  child<QCheckBox>("CdCheck")->setChecked(true);
  EXPECT_TRUE(child<QWidget>("CLine")->isHidden());
  EXPECT_TRUE(line.isHidden());
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

// Save asks for a PNG name in the output folder, then offers the last name; a cancel writes
// nothing and says nothing. Copy puts the same picture on the clipboard.
TEST_F(DisplayControlsTest, SaveAndCopyPictureTakeTheFrame) {
  const QString chosen = Q(root.path() / "wave");
  services.chosen = chosen;
  child<QAction>("SavePicture")->trigger();
  ASSERT_EQ(services.dialogs.size(), 1u);
  EXPECT_EQ(services.dialogs[0].mode, FileDialogMode::Save);
  EXPECT_EQ(services.dialogs[0].initialName, "Wave1.png");
  EXPECT_EQ(services.dialogs[0].folder, form().DataFolder() + QDir::separator() + "Output");
  const QSize size = frame().size() * frame().devicePixelRatio();
  EXPECT_EQ(QImage(chosen + ".png").size(), size);
  EXPECT_EQ(form().statusText(1), U("波形画像を保存しました｡"));
  EXPECT_TRUE(inDataFolder());
  services.chosen = std::nullopt;
  child<QAction>("SavePicture")->trigger();
  EXPECT_EQ(services.dialogs[1].initialName, "wave.png");
  EXPECT_TRUE(services.messages.empty());

  QGuiApplication::clipboard()->clear();
  child<QAction>("CopyPicture")->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->image().size(), size);
  EXPECT_EQ(form().statusText(1), U("波形画像をコピーしました｡"));
}

TEST_F(DisplayControlsTest, MeasureShowsTheTableOfTheWindowUntilTurnedOff) {
  const MeasurementOverlay& table = *surface().measurements();
  EXPECT_TRUE(table.isHidden());
  child<QAction>("Measure")->trigger();
  EXPECT_FALSE(table.isHidden());
  press("Expand");  // a zoom measures the new window
  const ViewState& view = form().view();
  EXPECT_EQ(
      table.table().rows,
      TabulateMeasurements(form().record().header,
                           MeasureShownChannels(form().record(), view.StartIndex, view.EndIndex))
          .rows);
  child<QAction>("Measure")->trigger();
  EXPECT_TRUE(table.isHidden());
}

}  // namespace
}  // namespace sondrix::testing

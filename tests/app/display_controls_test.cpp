#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include "app/wave_frame.h"
#include "form_fixture.h"

namespace sondrix::testing {
namespace {

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

TEST_F(DisplayControlsTest, ZoomAndResetThroughTheButtons) {
  press("Expand");
  EXPECT_EQ(form().view().StartIndex, 2499);
  EXPECT_EQ(form().view().EndIndex, 7500);
  EXPECT_EQ(form().view().XZoom, 2.0f);
  EXPECT_NEAR(form().view().YTop, -0.5 + (32767.0 + 0.5) / 2.0, 1e-3);
  EXPECT_EQ(form().scene().tdivLabel.text, "500us/div");
  EXPECT_EQ(child<QLabel>("TdivLabel")->text(), "500us/div");

  child<QLineEdit>("ZoomRate")->setText("1e99");
  press("Expand");
  EXPECT_EQ(text("ZoomRate"), "1");
  EXPECT_EQ(text("YZoomRate"), "1");
  EXPECT_EQ(form().view().XZoom, 2.0f);

  press("XReset");
  EXPECT_EQ(form().view().StartIndex, 0);
  EXPECT_EQ(form().view().EndIndex, 9999);
  EXPECT_EQ(form().view().XZoom, 1.0f);
  EXPECT_EQ(child<QLabel>("TdivLabel")->text(), "1ms/div");
  EXPECT_EQ(text("ZoomRate"), "1") << "the reset leaves the boxes";
}

TEST_F(DisplayControlsTest, SlidersAndTheTypedPositionMoveTheCursors) {
  child<QSlider>("SliderX")->setValue(250);
  EXPECT_EQ(text("ExpPos"), "2.5");
  EXPECT_DOUBLE_EQ(surface().cursorX(), 0.25);
  child<QSlider>("SliderY")->setValue(8192);
  EXPECT_EQ(text("YExpPos"), "3");
  EXPECT_NEAR(surface().cursorY(), (8192.0 + 32768.0) / 65535.0, 1e-12);

  enter("ExpPos", "7");
  EXPECT_DOUBLE_EQ(surface().cursorX(), 0.7);
  EXPECT_EQ(child<QSlider>("SliderX")->value(), 250) << "the slider stays";
  const int x = child<QWidget>("CLine")->geometry().center().x();
  EXPECT_NEAR(x, 0.7 * (surface().width() - 1), 1.0);

  press("ResetCursor");
  EXPECT_EQ(child<QSlider>("SliderX")->value(), 500);
  EXPECT_EQ(text("ExpPos"), "5");
  EXPECT_EQ(text("YExpPos"), "4");

  // A redraw does not move the cursors; the check box hides and shows them.
  const QRect before = child<QWidget>("CLineY")->geometry();
  press("Expand");
  EXPECT_EQ(child<QWidget>("CLineY")->geometry(), before);
  child<QCheckBox>("CdCheck")->setChecked(true);
  EXPECT_TRUE(child<QWidget>("CLine")->isHidden());
  EXPECT_TRUE(child<QWidget>("CLineY")->isHidden());
  child<QCheckBox>("CdCheck")->setChecked(false);
  EXPECT_FALSE(child<QWidget>("CLine")->isHidden());
}

TEST_F(DisplayControlsTest, TheThreeSmoothingChoicesRedrawTheCurrentWindow) {
  press("Expand");
  const auto traceKinds = [&] {
    std::vector<std::pair<bool, TraceStyle>> kinds;
    for (const Trace& t : form().scene().traces) kinds.emplace_back(t.smoothed, t.style);
    return kinds;
  };
  child<QRadioButton>("smOption1")->setChecked(true);
  ASSERT_EQ(form().scene().traces.size(), 8u);
  EXPECT_EQ(traceKinds()[0], std::make_pair(false, TraceStyle::Line));
  EXPECT_EQ(traceKinds()[1], std::make_pair(true, TraceStyle::Dots));
  EXPECT_EQ(form().view().StartIndex, 2499) << "the zoomed window is kept";

  child<QRadioButton>("smOption2")->setChecked(true);
  ASSERT_EQ(form().scene().traces.size(), 4u);
  EXPECT_TRUE(form().scene().traces[0].smoothed);

  // A width typed without Enter waits for the next draw; Enter applies it; an even one is
  // applied as the next odd width, and a text that is no number brings the last width back.
  child<QLineEdit>("SmPoints")->setText("8");
  EXPECT_EQ(text("SmPoints"), "8");
  enter("SmPoints", "8");
  EXPECT_EQ(text("SmPoints"), "9");
  enter("SmPoints", "abc");
  EXPECT_EQ(text("SmPoints"), "9");

  child<QRadioButton>("smOption0")->setChecked(true);
  ASSERT_EQ(form().scene().traces.size(), 4u);
  EXPECT_FALSE(form().scene().traces[0].smoothed);
  EXPECT_EQ(form().view().EndIndex, 7500);
}

TEST(DisplayControlsBeforeLoad, ZoomAndSmoothingDoNothingWithoutAWaveform) {
  TempDir data;
  ScriptedServices services(Q(data.path()));
  const QString start = QDir::currentPath();
  {
    MainForm form(services);
    form.findChild<QPushButton*>("Expand")->click();
    form.findChild<QPushButton*>("XReset")->click();
    form.findChild<QRadioButton*>("smOption2")->setChecked(true);
    EXPECT_FALSE(form.view().WaveDrawn);
    EXPECT_TRUE(form.scene().traces.empty());
  }
  QDir::setCurrent(start);
}

}  // namespace
}  // namespace sondrix::testing

#include <new>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include "app/fitted_label.h"
#include "document/document.h"
#include "form_fixture.h"
#include "io/replace_check.h"
#include "view/measurements.h"

namespace sondrix::testing {
namespace {

// One test per command; the core it reaches is tested there, so these check only what shows.
class ShownWaveformTest : public FormTest {
 protected:
  void SetUp() override { showPlayingFour(); }
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
  // A press of `button` at one fraction of the surface, a move to another and the release there.
  void drag(Qt::MouseButton button, QPointF from, QPointF to, Qt::KeyboardModifiers keys = {}) {
    const QSize size = surface().size() - QSize(1, 1);
    const auto pixel = [&](QPointF f) {
      return QPoint(qRound(f.x() * size.width()), qRound(f.y() * size.height()));
    };
    QTest::mousePress(&surface(), button, keys, pixel(from));
    QTest::mouseMove(&surface(), pixel(to));
    QTest::mouseRelease(&surface(), button, keys, pixel(to));
  }
  std::pair<int, int> window() { return {form().view().StartIndex, form().view().EndIndex}; }
  void focusSurface() {
    form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    surface().setFocus();
  }
  // Presses the store button with the operator confirming `typed` in the dialog (nullopt: cancel).
  void store(std::optional<QString> typed) {
    services.chosen = std::move(typed);
    press("SelResultFileFolder");
  }
  QString out(const char* name) { return Q(root.path() / name); }
  std::string documentStore(int skip) {
    Document document;
    NullSink quiet;
    EXPECT_TRUE(document.load(FileKind::Wfm, files.path() / "four.wfm", quiet).ok);
    document.showWhole();
    EXPECT_TRUE(document.store(root.path() / "expected.CSV", skip, quiet).ok());
    return ReadWhole(root.path() / "expected.CSV");
  }
};

TEST_F(ShownWaveformTest, TheZoomCommands) {
  press("Expand");
  EXPECT_EQ(tdiv(), "500us/div");
  press("XReset");
  EXPECT_EQ(tdiv(), "1ms/div");
  wheel(1, {0.72, 0.5});
  // The boxes hold what the zoom was pressed with (the zoom itself is the core's).
  EXPECT_EQ(QStringList({text("ZoomRate"), text("ExpPos")}), QStringList({"2", "7"}));
  EXPECT_DOUBLE_EQ(surface().cursorX(), 0.5) << "the cursor stays with its slider";

  wheel(1, {0.5, 0.25}, Qt::ControlModifier);
  EXPECT_EQ(std::tuple(form().view().XZoom, form().view().YZoom), std::tuple(2.0f, 2.0f));
  wheel(-1, {0.5, 0.5});
  EXPECT_EQ(form().view().XZoom, 1.0f);
  press("Expand");
  QTest::mouseDClick(&surface(), Qt::LeftButton);
  EXPECT_EQ(tdiv(), "1ms/div");
}

// A left drag zooms to its band through the boxes, a shorter one is a click; a middle or Shift
// drag and the arrow keys pan.
TEST_F(ShownWaveformTest, DragsZoomAndPan) {
  drag(Qt::LeftButton, {0.5, 0.5}, {0.503, 0.9});
  EXPECT_EQ(window(), std::pair(0, 9999)) << "a click";
  drag(Qt::LeftButton, {0.2, 0.1}, {0.6, 0.6});
  EXPECT_NEAR(text("ZoomRate").toDouble(), 2.5, 0.01) << "the boxes show the zoom";
  EXPECT_NEAR(window().first, 2000, 5);
  drag(Qt::MiddleButton, {0.5, 0.5}, {0.25, 0.5});
  drag(Qt::LeftButton, {0.5, 0.5}, {0.25, 0.5}, Qt::ShiftModifier);
  EXPECT_NEAR(window().first, 4000, 10) << "two quarters of the window later";
  focusSurface();
  QTest::keyClick(&surface(), Qt::Key_Left);
  EXPECT_NEAR(window().first, 3600, 10) << "a division back";
  const ViewState before = form().view();
  QTest::keyClick(&surface(), Qt::Key_Up);
  const double division = (double{before.YTop} - before.YBottom) / 8;
  EXPECT_NEAR(form().view().YTop - double{before.YTop}, division, division / 100) << "one up";
}

// Backspace and Alt+Left go back through the views, Alt+Right forward, with the boxes as they
// were.
TEST_F(ShownWaveformTest, BackAndForwardThroughTheViews) {
  focusSurface();
  enter("ZoomRate", "4");
  press("Expand");
  wheel(1, {0.3, 0.5});
  const auto wheeled = window();
  QTest::mouseDClick(&surface(), Qt::LeftButton);
  QTest::keyClick(&surface(), Qt::Key_Backspace);
  EXPECT_EQ(window(), wheeled);
  QTest::keyClick(form().windowHandle(), Qt::Key_Left, Qt::AltModifier);
  EXPECT_EQ(std::tuple(form().view().XZoom, text("ZoomRate")), std::tuple(4.0f, "4"));
  QTest::keyClick(form().windowHandle(), Qt::Key_Right, Qt::AltModifier);
  EXPECT_EQ(std::tuple(window(), text("ZoomRate")), std::tuple(wheeled, "2"));
}

TEST_F(ShownWaveformTest, TheCursorCommandsMoveTheCursorsAndTheirReadouts) {
  const ReadoutLine& line = *frame().readouts();
  ASSERT_FALSE(line.isHidden());
  child<QSlider>("SliderX")->setValue(625);  // sample 6249, a crest of channel 1
  EXPECT_DOUBLE_EQ(surface().cursorX(), 0.625);
  EXPECT_TRUE(line.text().startsWith(U("Xｶｰｿﾙ=1.249ms  Ch1:244.14mV"))) << Std(line.text());
  child<QSlider>("SliderY")->setValue(-8192);  // 5 divisions up: count 8191
  EXPECT_NEAR(surface().cursorY(), (-8192.0 + 32768.0) / 65535.0, 1e-12);
  EXPECT_TRUE(line.text().endsWith(U("Ch4:499.94mV"))) << Std(line.text());
  enter("ExpPos", "7");
  EXPECT_NEAR(child<QWidget>("CLine")->geometry().center().x(), 0.7 * (surface().width() - 1), 1);
  press("ResetCursor");
  EXPECT_EQ(std::tuple(child<QSlider>("SliderX")->value(), text("YExpPos")), std::tuple(500, "4"));
  child<QCheckBox>("CdCheck")->setChecked(true);
  EXPECT_TRUE(child<QWidget>("CLine")->isHidden() && line.isHidden());
}

// A click moves the time cursor through its slider, Ctrl + click the level cursor; Shift + click
// sets the mark with its read-outs until Escape; the pointer has its own read-out.
TEST_F(ShownWaveformTest, ClicksPlaceTheCursorsAndTheMark) {
  const ReadoutLine& line = *frame().readouts();
  drag(Qt::LeftButton, {1.0, 0.7}, {1.0, 0.7});  // the last column is the right end exactly
  EXPECT_EQ(child<QSlider>("SliderX")->value(), 1000);
  drag(Qt::LeftButton, {0.3, 0.7}, {0.3, 0.7});
  EXPECT_NEAR(child<QSlider>("SliderX")->value(), 300, 1);
  EXPECT_NEAR(text("ExpPos").toDouble(), 3.0, 0.01);
  drag(Qt::LeftButton, {0.6, 0.25}, {0.6, 0.25}, Qt::ControlModifier);
  EXPECT_NEAR(child<QSlider>("SliderY")->value(), -16384, 120);
  EXPECT_NEAR(child<QSlider>("SliderX")->value(), 300, 1) << "Ctrl leaves the time cursor";
  drag(Qt::LeftButton, {0.1, 0.5}, {0.1, 0.5}, Qt::ShiftModifier);
  const QWidget* mark = child<QWidget>("ReferenceMark");
  ASSERT_FALSE(mark->isHidden());
  EXPECT_NEAR(mark->geometry().center().x(), 0.1 * (surface().width() - 1), 2);
  EXPECT_TRUE(line.text().contains(U("Δt="))) << Std(line.text());
  EXPECT_EQ(window(), std::pair(0, 9999)) << "no zoom, no pan";
  focusSurface();
  QTest::keyClick(form().windowHandle(), Qt::Key_Escape);
  EXPECT_TRUE(mark->isHidden());
  EXPECT_FALSE(line.text().contains(U("Δt=")));
  QTest::mouseMove(&surface(), surface().rect().center());
  EXPECT_TRUE(line.text().contains(U("ﾎﾟｲﾝﾀ="))) << Std(line.text());
}

// What a store then smooths, and at which width, is the document's rule.
TEST_F(ShownWaveformTest, SmoothingRedrawsTheWaveform) {
  child<QRadioButton>("smOption1")->setChecked(true);
  EXPECT_EQ(form().scene().traces.size(), 8u) << "source and smoothed";
  enter("SmPoints", "8");
  EXPECT_EQ(text("SmPoints"), "9");
  child<QRadioButton>("smOption0")->setChecked(true);
  EXPECT_EQ(form().scene().traces.size(), 4u);
}

// The first save offers the capture's name in its folder; a name without a picture's extension
// takes the last format's; the next save offers the capture's name with the last picture's
// extension in its folder. A cancelled save writes nothing and says nothing.
TEST_F(ShownWaveformTest, TheMenuSavesOrCopiesThePictureAndShowsMeasurements) {
  services.chosen = Q(root.path() / "wave");
  child<QAction>("SavePicture")->trigger();
  ASSERT_EQ(services.dialogs.size(), 1u);
  EXPECT_EQ(std::tuple(services.dialogs[0].mode, services.dialogs[0].folder,
                       services.dialogs[0].initialName),
            std::tuple(FileDialogMode::Save, Q(files.path()), QString("four.png")));
  const QSize size = frame().size() * frame().devicePixelRatio();
  EXPECT_EQ(QImage(out("wave.png")).size(), size);
  EXPECT_EQ(form().statusText(1), U("波形画像を保存しました｡"));
  EXPECT_TRUE(inDataFolder());
  services.chosen = out("wave.SVG");
  child<QAction>("SavePicture")->trigger();
  EXPECT_TRUE(std::filesystem::exists(root.path() / "wave.SVG"));
  services.chosen = std::nullopt;
  child<QAction>("SavePicture")->trigger();
  EXPECT_EQ(std::tuple(services.dialogs[2].folder, services.dialogs[2].initialName),
            std::tuple(Q(root.path()), QString("four.svg")));
  EXPECT_TRUE(services.messages.empty());
  // A name that holds anything but a picture is refused with the reason.
  synth::WriteBytes(root.path() / "notes.png", "notes");
  services.chosen = out("notes.png");
  child<QAction>("SavePicture")->trigger();
  EXPECT_EQ(services.messages,
            QStringList{U("画像を保存できませんでした｡") + u'\n' + out("notes.png") + u'\n' +
                        U(OtherContentError().message())});

  QGuiApplication::clipboard()->clear();
  child<QAction>("CopyPicture")->trigger();
  EXPECT_EQ(std::tuple(QGuiApplication::clipboard()->image().size(), form().statusText(1)),
            std::tuple(size, U("波形画像をコピーしました｡")));
  const MeasurementOverlay& table = *surface().measurements();
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

// The stored file is the document's store of the capture (the converter's file), under the chosen
// name completed with ".CSV" unless the whole path holds ".csv"; the dialog offers the last name.
TEST_F(ShownWaveformTest, TheDisplayIsStoredUnderTheChosenNameOrSaysWhyNot) {
  std::filesystem::create_directories(root.path() / "x.csv.d");
  const QString first = form().CsvPath();
  child<QLineEdit>("DataSkip")->setText("2");
  store(out("shown"));
  EXPECT_EQ(std::tuple(form().statusText(1), form().statusText(2)),
            std::tuple(U("表示波形格納を完了しました｡"), out("shown.CSV")));
  EXPECT_TRUE(inDataFolder());
  EXPECT_EQ(ReadWhole(root.path() / "shown.CSV"), documentStore(2));

  store(out("x.csv.d/inner"));
  EXPECT_TRUE(QFile::exists(out("x.csv.d/inner")));
  EXPECT_EQ(form().CsvFolder(), out("x.csv.d"));
  ASSERT_EQ(services.dialogs.size(), 2u);
  EXPECT_EQ(services.dialogs[0].initialName, first);
  EXPECT_EQ(services.dialogs[0].folder, form().DataFolder() + QDir::separator() + "Output");
  EXPECT_EQ(services.dialogs[1].initialName, out("shown.CSV"));
  EXPECT_EQ(services.dialogs[1].folder, Q(root.path()));
  store("bare");
  EXPECT_EQ(form().CsvFolder(), Q(root.path() / "x.csv.d")) << "a bare name keeps the folder";

  // A cancel, a folder that cannot take the file and a failure nothing else handles each say so.
  const QString before = form().CsvPath();
  store(std::nullopt);
  EXPECT_EQ(form().CsvPath(), before);
  // A "folder" that is a file cannot hold the new file, whoever runs the test.
  synth::WriteBytes(root.path() / "plain-file", "x");
  store(out("plain-file/d.csv"));
  EXPECT_EQ(form().statusText(1), U("CSVファイルに格納できませんでした｡"));
  EXPECT_EQ(form().CsvPath(), out("plain-file/d.csv")) << "the name is kept for the next try";
  EXPECT_EQ(services.messages, (QStringList{U("CSV格納がキャンセルされました."),
                                            U("CSVファイルに格納できませんでした｡")}));
  services.whileChoosing = [] { throw std::bad_alloc(); };
  ASSERT_TRUE(form().browser().setPath(Q(files.path())));
  store(out("never.csv"));
  EXPECT_EQ(form().statusText(1), U("処理できませんでした｡"));
  EXPECT_TRUE(inDataFolder());
  EXPECT_EQ(services.messages.size(), 2);
}

// From the least size up, the table shows every column and channel within the surface (at the
// roomy size in the window's own font, in one band), the read-out every piece, with the mark's
// and the pointer's, and the four captions share one size.
TEST_F(ShownWaveformTest, EveryPanelIsWholeAtEachSize) {
  child<QAction>("Measure")->trigger();
  drag(Qt::LeftButton, {0.2, 0.5}, {0.2, 0.5}, Qt::ShiftModifier);
  const MeasurementOverlay& table = *surface().measurements();
  const std::tuple<QSize, int> sizes[] = {
      {form().minimumSizeHint(), 2}, {{800, 500}, 2}, {{1000, 640}, 2}, {{1200, 780}, 1}};
  for (const auto& [size, bands] : sizes) {
    form().resize(size);
    QApplication::processEvents();
    QTest::mouseMove(&surface(), surface().rect().center());
    const QString at = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
    EXPECT_TRUE(table.whole() && surface().rect().contains(table.geometry())) << Std(at);
    EXPECT_EQ(table.bands(), bands) << Std(at);
    EXPECT_TRUE(frame().readouts()->showsAll() && frame().readouts()->text().contains(U("Δt=")))
        << Std(at);
    const QFont first = child<QLabel>("VdivLabel0")->font();
    for (const char* name : {"VdivLabel1", "VdivLabel2", "VdivLabel3"})
      EXPECT_EQ(child<QLabel>(name)->font(), first) << name << " at " << Std(at);
  }
  EXPECT_GE(table.font().pointSizeF(), form().font().pointSizeF());
}

TEST_F(ShownWaveformTest, AtItsMinimumTheWindowFitsASmallScreenWithoutScrolling) {
  const QSize minimum = form().minimumSize().expandedTo(form().minimumSizeHint());
  EXPECT_TRUE(minimum.width() <= 800 && minimum.height() <= 470) << "800 x 500 less a title bar";
  form().resize(minimum);
  QApplication::processEvents();
  const auto* area = child<QScrollArea>("ContentArea");
  EXPECT_FALSE(area->horizontalScrollBar()->isVisible() || area->verticalScrollBar()->isVisible());
  EXPECT_NEAR(child<QWidget>("DelayMark")->height(), form().waveFrame().surface()->height() / 64.0,
              1);
  for (const QGroupBox* frame : form().findChildren<QGroupBox*>()) {
    const QList<QWidget*> controls = frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (qsizetype i = 0; i < controls.size(); ++i) {
      for (qsizetype j = i + 1; j < controls.size(); ++j) {
        EXPECT_FALSE(controls[i]->isVisible() && controls[j]->isVisible() &&
                     controls[i]->geometry().intersects(controls[j]->geometry()))
            << Std(controls[i]->objectName()) << " and " << Std(controls[j]->objectName());
      }
    }
  }
  // The V/div captions read whole, at most a little smaller.
  for (const char* name : {"VdivLabel0", "VdivLabel1", "VdivLabel2", "VdivLabel3"}) {
    const auto* label = child<QLabel>(name);
    EXPECT_EQ(FitText(label->font(), label->text(), label->contentsRect().width(), 0.75).text,
              label->text())
        << name;
  }
}

}  // namespace
}  // namespace sondrix::testing

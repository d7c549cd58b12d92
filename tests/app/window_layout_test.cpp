#include <QCoreApplication>
#include <QFontMetrics>
#include <QScrollArea>
#include <QScrollBar>

#include "app/fitted_label.h"
#include "form_fixture.h"

namespace sondrix::testing {
namespace {

class WindowLayoutTest : public FormTest {};

TEST(FitTextTest, ACaptionGetsSmallerBeforeItIsCutAtAWord) {
  QFont font;
  font.setPointSizeF(10);
  const QString text = QStringLiteral("Ch1:99.9 V/div");
  const int natural = QFontMetrics(font).horizontalAdvance(text);

  FittedText fitted = FitText(font, text, natural, 0.75);
  EXPECT_EQ(fitted.text, text);
  EXPECT_EQ(fitted.font.pointSizeF(), 10);

  fitted = FitText(font, text, natural * 9 / 10, 0.75);
  EXPECT_EQ(fitted.text, text);
  EXPECT_LT(fitted.font.pointSizeF(), 10);
  EXPECT_GE(fitted.font.pointSizeF(), 7.5);
  EXPECT_LE(QFontMetrics(fitted.font).horizontalAdvance(text), natural * 9 / 10);

  fitted = FitText(font, text, natural * 6 / 10, 0.75);
  EXPECT_EQ(fitted.font.pointSizeF(), 7.5);
  EXPECT_EQ(fitted.text, QStringLiteral("Ch1:99.9\u2026"));
  // A single word is cut at a whole character.
  fitted = FitText(font, QStringLiteral("Ch1:99.9V/div"), natural / 2, 0.75);
  EXPECT_TRUE(fitted.text.endsWith(QChar(0x2026)));
  EXPECT_LE(QFontMetrics(fitted.font).horizontalAdvance(fitted.text), natural / 2);
}

TEST_F(WindowLayoutTest, AtItsMinimumTheWindowFitsASmallScreenWithoutScrolling) {
  writeCapture("four.wfm", synth::SineCapture(4, 5000));
  form().show();
  play("four.wfm");
  QCoreApplication::processEvents();
  const QSize minimum = form().minimumSize().expandedTo(form().minimumSizeHint());
  // 800 x 500 less a title bar.
  EXPECT_LE(minimum.width(), 800);
  EXPECT_LE(minimum.height(), 470);
  form().resize(minimum);
  QCoreApplication::processEvents();
  const auto* area = child<QScrollArea>("ContentArea");
  EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
  EXPECT_FALSE(area->verticalScrollBar()->isVisible());
  const QWidget& surface = *form().waveFrame().surface();
  EXPECT_TRUE(form().waveFrame().rect().contains(surface.geometry()));
  EXPECT_NEAR(surface.height() * 10.0 / surface.width(), 8.0, 0.1) << "square divisions";
  // The V/div captions read whole, at most a little smaller.
  for (const char* name : {"VdivLabel0", "VdivLabel1", "VdivLabel2", "VdivLabel3"}) {
    const auto* label = child<QLabel>(name);
    EXPECT_EQ(FitText(label->font(), label->text(), label->contentsRect().width(), 0.75).text,
              label->text())
        << name;
  }
}

TEST_F(WindowLayoutTest, TheFolderListShowsTheOpenFolderAndItsSubfoldersFirst) {
  auto deep = files.path();
  for (const char* name : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}) deep /= name;
  for (int i = 0; i < 10; ++i) std::filesystem::create_directories(deep / std::to_string(i));
  form().show();
  ASSERT_TRUE(form().browser().setPath(Q(deep)));
  const auto* list = child<QListWidget>("DirList");
  EXPECT_EQ(list->indexAt(QPoint(2, 2)).row(), list->currentRow());
  EXPECT_GT(list->currentRow(), 10);
}

}  // namespace
}  // namespace sondrix::testing

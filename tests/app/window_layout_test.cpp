#include <QCoreApplication>
#include <QFontMetrics>
#include <QScrollArea>
#include <QScrollBar>

#include "app/fitted_label.h"
#include "form_fixture.h"

namespace sondrix::testing {
namespace {

class WindowLayoutTest : public FormTest {};

// A caption that does not fit is drawn smaller, down to the smallest size, and only then cut after
// a word, or within a single word.
TEST(FitTextTest, ACaptionGetsSmallerBeforeItIsCutAtAWord) {
  QFont font;
  font.setPointSizeF(10);
  const QString text = QStringLiteral("Ch1:99.9 V/div");
  const int natural = QFontMetrics(font).horizontalAdvance(text);
  EXPECT_EQ(FitText(font, text, natural, 0.75).font, font);
  const FittedText smaller = FitText(font, text, natural * 9 / 10, 0.75);
  EXPECT_EQ(smaller.text, text);
  EXPECT_LT(smaller.font.pointSizeF(), 10);
  const FittedText cut = FitText(font, text, natural * 6 / 10, 0.75);
  EXPECT_EQ(cut.font.pointSizeF(), 7.5);
  EXPECT_EQ(cut.text, QStringLiteral("Ch1:99.9\u2026"));
  const QString word = FitText(font, QStringLiteral("Ch1:99.9V/div"), natural / 2, 0.75).text;
  EXPECT_TRUE(word.startsWith("Ch1") && word.endsWith(QChar(0x2026))) << Std(word);
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
  const QRect tick = child<QWidget>("DelayMark")->geometry();
  EXPECT_EQ(tick.top(), surface.geometry().bottom() + 1) << "the trigger tick hangs below";
  EXPECT_NEAR(tick.height(), surface.height() / 64.0, 1);
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

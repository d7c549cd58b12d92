#include <QFontMetrics>

#include "app/fitted_label.h"
#include "form_fixture.h"

namespace sondrix::testing {
namespace {

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

}  // namespace
}  // namespace sondrix::testing

#include "app/qt_platform_services.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QTimer>

#include "app/fitted_label.h"
#include "app/qt_text.h"
#include "app/qt_translations.h"

namespace sondrix {
namespace {

// A closing window also ends a pause; an end with no pause in progress does nothing.
TEST(QtPlatformServicesTest, APauseWaitsOnTheEventLoopUntilEnded) {
  QtPlatformServices services;
  bool handled = false;
  QTimer::singleShot(50, [&] { handled = true; });
  QElapsedTimer wall;
  wall.start();
  services.waitSeconds(0.4);
  EXPECT_GE(wall.elapsed(), 400);
  EXPECT_TRUE(handled) << "events are handled during the pause";

  services.endWait();
  QTimer::singleShot(50, [&] { services.endWait(); });
  wall.restart();
  services.waitSeconds(1e30);
  EXPECT_LT(wall.elapsed(), 5000);
}

TEST(QtTranslationsTest, QtsOwnButtonsAndDialogsSpeakJapanese) {
  const std::unique_ptr<QTranslator> japanese = LoadQtJapanese();
  ASSERT_NE(japanese, nullptr) << "qt6-translations-l10n is installed by scripts/setup";
  QCoreApplication::installTranslator(japanese.get());
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QString::fromUtf8("はい(&Y)"));
  QCoreApplication::removeTranslator(japanese.get());
}

// Smaller down to the smallest size first, then cut after a word, or within a single word.
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
}  // namespace sondrix

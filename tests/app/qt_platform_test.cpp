#include "app/qt_platform_services.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "app/qt_translations.h"

namespace sondrix {
namespace {

// A pause waits on the event loop, handling events, until its time is up or a closing window
// ends it; an end with no pause in progress does nothing.
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

}  // namespace
}  // namespace sondrix

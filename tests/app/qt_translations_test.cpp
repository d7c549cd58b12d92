#include <gtest/gtest.h>

#include <QCoreApplication>

#include "app/qt_translations.h"

namespace sondrix {
namespace {

TEST(QtTranslationsTest, QtsOwnButtonsAndDialogsSpeakJapanese) {
  const std::unique_ptr<QTranslator> japanese = LoadQtJapanese();
  ASSERT_NE(japanese, nullptr) << "qt6-translations-l10n is installed by scripts/setup";
  QCoreApplication::installTranslator(japanese.get());
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QString::fromUtf8("はい(&Y)"));
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"),
            QString::fromUtf8("ファイル名(&N):"));
  QCoreApplication::removeTranslator(japanese.get());
}

}  // namespace
}  // namespace sondrix

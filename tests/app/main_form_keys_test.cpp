#include <QAction>
#include <QSignalSpy>

#include "app/wave_surface.h"
#include "form_fixture.h"

namespace sondrix::testing {
namespace {

class KeysTest : public FormTest {
 protected:
  void SetUp() override {
    showPlayingFour();
    form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    form().waveFrame().surface()->setFocus();
  }
};

// Each command's key presses its control once (the keys as the window's table has them, shown in
// the tooltip or the menu entry); the zoom keys turn the wheel one notch at the middle.
TEST_F(KeysTest, EachCommandHasItsKey) {
  const std::pair<const char*, QKeySequence> keyed[] = {
      {"BinToCsvConvert", Qt::Key_F5},
      {"InputDsTypeCsvFile", Qt::SHIFT | Qt::Key_F5},
      {"SelResultFileFolder", Qt::CTRL | Qt::Key_S},
      {"FollowNew", Qt::CTRL | Qt::Key_L},
      {"Expand", Qt::CTRL | Qt::Key_E},
      {"XReset", Qt::CTRL | Qt::Key_0},
      {"ResetCursor", Qt::CTRL | Qt::Key_Home},
      {"CdCheck", Qt::CTRL | Qt::Key_K},
      {"smOption1", Qt::CTRL | Qt::Key_2},
      {"SavePicture", Qt::CTRL | Qt::SHIFT | Qt::Key_S},
      {"CopyPicture", Qt::CTRL | Qt::Key_C},
      {"Measure", Qt::CTRL | Qt::Key_M},
      {"Stop", Qt::SHIFT | Qt::Key_F9},
      {"Start", Qt::Key_F9},
  };
  for (const auto& [name, keys] : keyed) {
    SCOPED_TRACE(name);
    auto* action = form().findChild<QAction*>(name);
    auto* button = form().findChild<QAbstractButton*>(name);
    ASSERT_TRUE(action || button);
    QSignalSpy pressed(action ? static_cast<QObject*>(action) : button,
                       action ? SIGNAL(triggered(bool)) : SIGNAL(clicked(bool)));
    if (action) {
      EXPECT_EQ(action->shortcut(), keys);
    } else {
      EXPECT_TRUE(button->toolTip().endsWith("(" + keys.toString(QKeySequence::NativeText) + ")"))
          << button->toolTip().toStdString();
    }
    QTest::keySequence(form().windowHandle(), keys);
    EXPECT_EQ(pressed.count(), 1);
  }
  QSignalSpy wheel(form().waveFrame().surface(), &WaveSurface::wheelTurned);
  for (const QKeySequence& keys :
       {QKeySequence(Qt::Key_Plus), QKeySequence(QKeySequence::ZoomIn), QKeySequence(Qt::Key_Minus),
        QKeySequence(QKeySequence::ZoomOut)}) {
    QTest::keySequence(form().waveFrame().surface(), keys);
  }
  ASSERT_EQ(wheel.count(), 4);
  EXPECT_EQ(wheel[0], (QList<QVariant>{1, false, QPointF(0.5, 0.5)}));
  EXPECT_EQ((QList<QVariant>{wheel[1][0], wheel[2][0], wheel[3][0]}), (QList<QVariant>{1, -1, -1}));
  // F1 lists every key.
  QTest::keyClick(form().windowHandle(), Qt::Key_F1);
  ASSERT_FALSE(services.messages.isEmpty());
  EXPECT_TRUE(services.messages.back().contains("Ctrl+Shift+S\t画像を保存"));
  EXPECT_TRUE(services.messages.back().contains("Shift+F10"));
}

}  // namespace
}  // namespace sondrix::testing

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>

#include "form_fixture.h"

namespace sondrix::testing {
namespace {

// How many pixels of two pictures of one size differ.
qsizetype Differing(const QImage& a, const QImage& b) {
  qsizetype pixels = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) pixels += a.pixel(x, y) != b.pixel(x, y);
  }
  return pixels;
}

// The window's look, pixel for pixel as the reviewed pictures in tests/app/look: every frame
// (graticule, traces, captions, marks, sliders, read-outs, measurement table, zoom, smoothing,
// browser, operation and status), at a roomy size and at the window's least, and the picture
// for a report that the roomy window copies (last, as the copy's status would show).
// Nothing else sees a margin, a pen or a colour move. The pictures hold the fonts the setup
// installs; elsewhere the test is skipped. After a deliberate change of the look,
// SONDRIX_UPDATE_LOOK=1 writes the new pictures: look at them before committing them.
TEST_F(FormTest, TheWindowLooksAsReviewed) {
  if (!QFontDatabase::families().contains(QStringLiteral("Noto Sans CJK JP"))) {
    GTEST_SKIP() << "the pictures were drawn with the Noto CJK fonts";
  }
  showPlayingFour();
  child<QAction>("Measure")->trigger();
  const bool update = qEnvironmentVariableIsSet("SONDRIX_UPDATE_LOOK");
  for (const QString& name :
       {QStringLiteral("MainForm"), QStringLiteral("MainForm-least"), QStringLiteral("Report")}) {
    SCOPED_TRACE(name.toStdString());
    if (name.endsWith("-least")) {
      // At the least size the captions shrink to fit and the browser's lists decide the height.
      form().resize(form().minimumSize().expandedTo(form().minimumSizeHint()));
      QApplication::processEvents();
    }
    QImage shown;
    if (name == "Report") {
      form().resize(1200, 780);
      QApplication::processEvents();
      child<QAction>("CopyPicture")->trigger();
      shown = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_ARGB32);
    } else {
      shown = form().grab().toImage().convertToFormat(QImage::Format_ARGB32);
      // All but the temporary folder's name, which differs from run to run.
      for (const char* varying : {"PathBox", "DirList"}) {
        auto* box = child<QWidget>(varying);
        QPainter(&shown).fillRect(QRect(box->mapTo(&form(), QPoint()), box->size()), Qt::black);
      }
    }
    const QString reviewed = QStringLiteral(SONDRIX_LOOK_DIR "/%1.png").arg(name);
    if (update) {
      ASSERT_TRUE(shown.save(reviewed));
      continue;
    }
    const QImage expected = QImage(reviewed).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(shown.size(), expected.size());
    const qsizetype differing = Differing(shown, expected);
    if (differing == 0) continue;
    const QString seen = QDir::temp().filePath(QStringLiteral("sondrix-look-%1.png").arg(name));
    shown.save(seen);
    ADD_FAILURE() << differing << " pixels differ; the picture drawn is " << seen.toStdString();
  }
}

}  // namespace
}  // namespace sondrix::testing

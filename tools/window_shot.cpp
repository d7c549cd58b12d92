// Opens the window on one WFM or CSV/TXT file as `sondrix FILE` does and saves a picture of the
// window: the README's screenshot, and a look at the layout at other sizes and scale factors.
// Without WIDTH and HEIGHT, or with 0 0, the window takes the size it opens with. Prints the
// window's size and its minimum size in logical pixels. With `busy` after the size, the window
// shows everything at once: the measurement table, a reference mark, and the pointer's read-out at
// the surface's middle. Usage: sondrix-window-shot FILE OUT.png [WIDTH HEIGHT [busy]]
#include <cstdio>

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMouseEvent>
#include <QTemporaryDir>

#include "app/main_form.h"
#include "app/qt_platform_services.h"
#include "app/qt_translations.h"

namespace {

// The desktop's services, but settings kept in a throwaway folder so the operator's stay as
// they are.
class ShotServices final : public sondrix::PlatformServices {
 public:
  explicit ShotServices(QString dataFolder) : dataFolder_(std::move(dataFolder)) {}
  sondrix::MessageAnswer showMessage(const QString& text, const QString& title,
                                     sondrix::MessageButtons buttons) override {
    std::fprintf(stderr, "message: %s (%s)\n", qPrintable(text), qPrintable(title));
    return buttons == sondrix::MessageButtons::Ok ? sondrix::MessageAnswer::Ok
                                                  : sondrix::MessageAnswer::No;
  }
  std::optional<QString> showFileDialog(const sondrix::FileDialogRequest&) override {
    return std::nullopt;
  }
  void pumpEvents() override { desktop_.pumpEvents(); }
  void waitSeconds(double seconds) override { desktop_.waitSeconds(seconds); }
  void endWait() override { desktop_.endWait(); }
  QString dataFolder() override { return dataFolder_; }

 private:
  sondrix::QtPlatformServices desktop_;
  QString dataFolder_;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const bool busy = argc == 6 && QString::fromLocal8Bit(argv[5]) == QStringLiteral("busy");
  if (argc != 3 && argc != 5 && !busy) {
    std::fprintf(stderr, "usage: sondrix-window-shot FILE OUT.png [WIDTH HEIGHT [busy]]\n");
    return 2;
  }
  const std::unique_ptr<QTranslator> japanese = sondrix::LoadQtJapanese();
  if (japanese) QCoreApplication::installTranslator(japanese.get());
  // The window makes its data folder the current directory, so relative paths are taken first.
  const QString file = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
  const QString picture = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();
  QTemporaryDir data;
  ShotServices services(data.path());
  sondrix::MainForm form(services);
  if (argc >= 5 && QString::fromLocal8Bit(argv[3]).toInt() > 0) {
    form.resize(QString::fromLocal8Bit(argv[3]).toInt(), QString::fromLocal8Bit(argv[4]).toInt());
  }
  form.show();
  form.openPath(file);
  QApplication::processEvents();
  if (busy) {
    form.findChild<QAction*>(QStringLiteral("Measure"))->trigger();
    QWidget* surface = form.findChild<QWidget*>(QStringLiteral("DSOWave"));
    const auto send = [surface](QEvent::Type type, QPointF at, Qt::MouseButton button,
                                Qt::KeyboardModifiers keys) {
      const QPointF pixel(at.x() * (surface->width() - 1), at.y() * (surface->height() - 1));
      QMouseEvent event(type, pixel, surface->mapToGlobal(pixel), button,
                        type == QEvent::MouseMove ? Qt::NoButton : button, keys);
      QApplication::sendEvent(surface, &event);
    };
    send(QEvent::MouseButtonPress, {0.3, 0.5}, Qt::LeftButton, Qt::ShiftModifier);
    send(QEvent::MouseButtonRelease, {0.3, 0.5}, Qt::LeftButton, Qt::ShiftModifier);
    send(QEvent::MouseMove, {0.6, 0.5}, Qt::NoButton, Qt::NoModifier);
    QApplication::processEvents();
  }
  const QSize minimum = form.minimumSizeHint().expandedTo(form.minimumSize());
  std::printf("window %dx%d, minimum %dx%d, scale %g\n", form.width(), form.height(),
              minimum.width(), minimum.height(), form.devicePixelRatioF());
  if (!form.grab().save(picture)) return 1;
  return 0;
}

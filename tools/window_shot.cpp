// Opens the window on a folder, plays one of its WFM or CSV/TXT files and saves a picture of the
// window: the README's screenshot, and a quick look at the layout at other sizes. Usage:
// sondrix-window-shot FOLDER FILE OUT.png [WIDTH HEIGHT]
#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include "app/file_browser.h"
#include "app/main_form.h"
#include "app/qt_platform_services.h"

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
  if (argc != 4 && argc != 6) {
    std::fprintf(stderr, "usage: sondrix-window-shot FOLDER FILE OUT.png [WIDTH HEIGHT]\n");
    return 2;
  }
  // The window makes its data folder the current directory, so relative paths are taken first.
  const QString folder = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
  const QString picture = QFileInfo(QString::fromLocal8Bit(argv[3])).absoluteFilePath();
  QTemporaryDir data;
  ShotServices services(data.path());
  sondrix::MainForm form(services);
  const int width = argc == 6 ? QString::fromLocal8Bit(argv[4]).toInt() : 1280;
  const int height = argc == 6 ? QString::fromLocal8Bit(argv[5]).toInt() : 800;
  form.resize(width, height);
  form.show();
  if (!form.browser().setPath(folder)) return 1;
  // CSV/TXT files are listed and played by their own command.
  const QString name = QString::fromLocal8Bit(argv[2]);
  const bool csv = name.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) ||
                   name.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive);
  if (csv) form.browser().selectFilter(1);
  auto* files = form.findChild<QListWidget*>(QStringLiteral("FileList"));
  const auto found = files->findItems(name, Qt::MatchFixedString);
  if (found.isEmpty()) {
    std::fprintf(stderr, "window-shot: %s is not listed\n", argv[2]);
    return 1;
  }
  files->setCurrentItem(found.front());
  form.findChild<QPushButton*>(csv ? QStringLiteral("InputDsTypeCsvFile")
                                   : QStringLiteral("BinToCsvConvert"))
      ->click();
  QApplication::processEvents();
  if (!form.grab().save(picture)) return 1;
  return 0;
}

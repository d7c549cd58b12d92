#include <cstdio>
#include <memory>

#include <QApplication>
#include <QTimer>

#include "app/command_line.h"
#include "app/frame_picture.h"
#include "app/main_form.h"
#include "app/qt_platform_services.h"
#include "app/qt_translations.h"
#include "version.h"

namespace {

QStringList ArgumentsOf(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments.push_back(QString::fromLocal8Bit(argv[i]));
  return arguments;
}

// Prints the answer to --help or --version, or the error; the exit status.
int Answer(const sondrix::CommandLine& line) {
  using Action = sondrix::CommandLine::Action;
  if (line.action == Action::Error) {
    std::fprintf(stderr, "sondrix: %s\n%s", qPrintable(line.error),
                 qPrintable(sondrix::CommandLineHelp()));
    return 2;
  }
  const QString text =
      line.action == Action::Help ? sondrix::CommandLineHelp() : sondrix::VersionText() + u'\n';
  std::fputs(text.toLocal8Bit().constData(), stdout);
  return 0;
}

// Draws the picture --picture asks for; the exit status.
int Picture(const sondrix::CommandLine& line) {
  const sondrix::PictureOutcome outcome =
      sondrix::WriteFramePicture(line.target, line.picture, line.size, line.measure);
  if (outcome.status != sondrix::PictureOutcome::Written) {
    std::fprintf(stderr, "sondrix: %s\n", qPrintable(outcome.failure));
  }
  return outcome.status;
}

}  // namespace

// The window opens on the folder it was started in; the file browser shows it. A file or folder
// named on the command line is opened as a drop on the window opens it.
int main(int argc, char* argv[]) {
  QCoreApplication::setApplicationName(QStringLiteral("Sondrix"));
  QCoreApplication::setApplicationVersion(QString::fromUtf8(sondrix::kSondrixVersion));
  // Wayland desktops match the window to its menu entry and icon by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral("sondrix"));
  // The arguments are checked before any application starts, so that help, version and every
  // usage error are answered without a display; Qt's own options are left to the application.
  const sondrix::CommandLine line = sondrix::ParseCommandLine(ArgumentsOf(argc, argv));
  using Action = sondrix::CommandLine::Action;
  if (line.action == Action::Help || line.action == Action::Version ||
      line.action == Action::Error) {
    const QCoreApplication terminal(argc, argv);  // the help names the program as started
    return Answer(line);
  }
  if (line.action == Action::Picture) {
    // A picture needs no display: the offscreen platform draws it, unless -platform names another.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QApplication painter(argc, argv);
    return Picture(line);
  }
  QApplication app(argc, argv);

  const std::unique_ptr<QTranslator> japanese = sondrix::LoadQtJapanese();
  if (japanese) QCoreApplication::installTranslator(japanese.get());

  sondrix::QtPlatformServices services;
  sondrix::MainForm form(services);
  services.setOwner(&form);
  form.show();
  if (!line.target.isEmpty()) {
    // Once the window is on screen, so the operator sees the playback's steps.
    QTimer::singleShot(0, &form, [&form, target = line.target] { form.openPath(target); });
  }
  return QApplication::exec();
}

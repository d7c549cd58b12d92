#include <QApplication>

#include "app/main_form.h"
#include "app/qt_platform_services.h"

// The window opens on the folder it was started in; the file browser shows it.
int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Sondrix"));
  sondrix::QtPlatformServices services;
  sondrix::MainForm form(services);
  services.setOwner(&form);
  form.show();
  return QApplication::exec();
}

#include "app/qt_platform_services.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTime>

namespace sondrix {

MessageAnswer QtPlatformServices::showMessage(const QString& text, const QString& title,
                                              MessageButtons buttons) {
  if (buttons == MessageButtons::Ok) {
    QMessageBox::information(owner_, title, text, QMessageBox::Ok);
    return MessageAnswer::Ok;
  }
  const auto pressed = QMessageBox::question(owner_, title, text,
                                             QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
  return pressed == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

std::optional<QString> QtPlatformServices::showFileDialog(const FileDialogRequest& request) {
  const QString start = request.initialName.isEmpty()
                            ? request.folder
                            : QDir(request.folder).filePath(request.initialName);
  const QString chosen =
      request.mode == FileDialogMode::Save
          ? QFileDialog::getSaveFileName(owner_, request.title, start, request.filter)
          : QFileDialog::getOpenFileName(owner_, request.title, start, request.filter);
  if (chosen.isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(chosen);
}

void QtPlatformServices::pumpEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

double QtPlatformServices::secondsSinceMidnight() {
  return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

QString QtPlatformServices::dataFolder() {
#ifdef Q_OS_WIN
  return QStringLiteral("C:\\ProgramData\\Sondrix");
#else
  const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  return QDir::toNativeSeparators(base + QStringLiteral("/Sondrix"));
#endif
}

}  // namespace sondrix

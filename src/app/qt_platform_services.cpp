#include "app/qt_platform_services.h"

#include <algorithm>
#include <cmath>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTimer>

#include "platform/path_rules.h"

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

void QtPlatformServices::waitSeconds(double seconds) {
  if (!(seconds > 0.0)) {
    pumpEvents();
    return;
  }
  // One deadline on the monotonic clock; a timer wakes the loop at it, in steps of at most an hour
  // so that any pause the text box can hold fits the timer's range.
  constexpr double kForeverMs = 1e12;
  constexpr qint64 kStepMs = 3'600'000;
  const double ms = std::ceil(seconds * 1000.0);
  const QDeadlineTimer deadline = ms >= kForeverMs
                                      ? QDeadlineTimer(QDeadlineTimer::Forever)
                                      : QDeadlineTimer(static_cast<qint64>(ms), Qt::PreciseTimer);
  QEventLoop loop;
  wait_ = &loop;
  QTimer timer;
  timer.setSingleShot(true);
  timer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer, &QTimer::timeout, &loop, [&loop] { loop.exit(0); });
  while (!deadline.hasExpired()) {
    const qint64 left = deadline.remainingTime();
    timer.start(static_cast<int>(left < 0 ? kStepMs : std::min(left, kStepMs)));
    // endWait() exits with 1. A quitting application ends the running loop with 0 and makes every
    // later exec() return -1 at once, so the next pass leaves.
    if (loop.exec() != 0) break;
  }
  wait_ = nullptr;
}

void QtPlatformServices::endWait() {
  if (wait_) wait_->exit(1);
}

QString QtPlatformServices::dataFolder() {
  const QString userData = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  return QString::fromStdU16String(DataFolderFor(kHostPathStyle, userData.toStdU16String()));
}

}  // namespace sondrix

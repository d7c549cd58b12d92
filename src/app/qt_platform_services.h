#pragma once

#include <QEventLoop>
#include <QPointer>
#include <QWidget>

#include "app/platform_services.h"

namespace sondrix {

// The desktop's own boxes, dialogs, event loop and timers.
class QtPlatformServices final : public PlatformServices {
 public:
  // Boxes and dialogs are modal to `owner` once it is set.
  void setOwner(QWidget* owner) { owner_ = owner; }

  MessageAnswer showMessage(const QString& text, const QString& title,
                            MessageButtons buttons) override;
  std::optional<QString> showFileDialog(const FileDialogRequest& request) override;
  void pumpEvents() override;
  void waitSeconds(double seconds) override;
  void endWait() override;
  QString dataFolder() override;

 private:
  QPointer<QWidget> owner_;
  QPointer<QEventLoop> wait_;  // the pause in progress, if any
};

}  // namespace sondrix

#pragma once

#include <QPointer>
#include <QWidget>

#include "app/platform_services.h"

namespace sondrix {

// The desktop's own boxes, dialogs, event loop and clock.
class QtPlatformServices final : public PlatformServices {
 public:
  // Boxes and dialogs are modal to `owner` once it is set.
  void setOwner(QWidget* owner) { owner_ = owner; }

  MessageAnswer showMessage(const QString& text, const QString& title,
                            MessageButtons buttons) override;
  std::optional<QString> showFileDialog(const FileDialogRequest& request) override;
  void pumpEvents() override;
  double secondsSinceMidnight() override;
  QString dataFolder() override;

 private:
  QPointer<QWidget> owner_;
};

}  // namespace sondrix

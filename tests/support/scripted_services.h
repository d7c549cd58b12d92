#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include <QString>
#include <QStringList>

#include "app/platform_services.h"

// No GoogleTest here: the window benchmarks drive the window through these services too.
namespace sondrix::testing {

// Boxes, dialogs and pauses are recorded and return the set answer at once. The hooks act as the
// operator would while one is open (press Stop, close the window), or make the desktop fail.
class ScriptedServices final : public PlatformServices {
 public:
  explicit ScriptedServices(QString dataFolder) : dataFolder_(std::move(dataFolder)) {}

  QStringList messages;
  MessageAnswer answer = MessageAnswer::Yes;
  std::vector<FileDialogRequest> dialogs;
  std::optional<QString> chosen;  // nullopt: the operator cancels the file dialog
  std::vector<double> waits;
  int pumps = 0;
  int endWaits = 0;
  std::function<void()> whileShown;
  std::function<void()> whileChoosing;
  std::function<void(std::size_t waitIndex)> whileWaiting;
  std::function<void()> whilePumping;

  MessageAnswer showMessage(const QString& text, const QString&, MessageButtons buttons) override {
    messages << text;
    if (whileShown) whileShown();
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : answer;
  }
  std::optional<QString> showFileDialog(const FileDialogRequest& request) override {
    dialogs.push_back(request);
    if (whileChoosing) whileChoosing();
    return chosen;
  }
  void pumpEvents() override {
    ++pumps;
    if (whilePumping) whilePumping();
  }
  void waitSeconds(double seconds) override {
    waits.push_back(seconds);
    if (whileWaiting) whileWaiting(waits.size() - 1);
  }
  void endWait() override { ++endWaits; }
  QString dataFolder() override { return dataFolder_; }

 private:
  QString dataFolder_;
};

}  // namespace sondrix::testing

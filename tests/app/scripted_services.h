#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include <QString>

#include "app/platform_services.h"

namespace sondrix::testing {

// Platform services without a person: message boxes are recorded and answered from a queue
// (Yes when it runs dry), file dialogs return the queued paths or a cancel, pauses return at once
// after recording their length, and the data folder is the test's own. The hooks let a test act
// as the operator would while a box, a dialog or a pause is open (press Stop, close the window),
// or let the desktop fail there.
class ScriptedServices final : public PlatformServices {
 public:
  struct Shown {
    QString text;
    QString title;
    MessageButtons buttons;
  };

  explicit ScriptedServices(QString dataFolder) : dataFolder_(std::move(dataFolder)) {}

  std::vector<Shown> messages;
  std::deque<MessageAnswer> answers;
  std::vector<FileDialogRequest> dialogs;
  std::deque<std::optional<QString>> dialogResults;  // nullopt: the operator cancels
  std::vector<double> waits;
  int pumps = 0;
  int endWaits = 0;
  std::function<void(const Shown&)> whileShown;
  std::function<void()> whileChoosing;
  std::function<void(std::size_t waitIndex)> whileWaiting;
  std::function<void()> whilePumping;

  MessageAnswer showMessage(const QString& text, const QString& title,
                            MessageButtons buttons) override {
    messages.push_back({text, title, buttons});
    if (whileShown) {
      const Shown shown = messages.back();  // the hook may show further boxes
      whileShown(shown);
    }
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    if (answers.empty()) return MessageAnswer::Yes;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::optional<QString> showFileDialog(const FileDialogRequest& request) override {
    dialogs.push_back(request);
    if (whileChoosing) whileChoosing();
    if (dialogResults.empty()) return std::nullopt;
    const bool cancelled = !dialogResults.front().has_value();
    const QString path = dialogResults.front().value_or(QString());
    dialogResults.pop_front();
    if (cancelled) return std::nullopt;
    return path;
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

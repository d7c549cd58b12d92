#pragma once

#include <deque>
#include <optional>
#include <vector>

#include <QString>

#include "app/platform_services.h"

namespace sondrix::testing {

// Platform services without a person: message boxes are recorded and answered from a queue
// (Yes when it runs dry), file dialogs return the queued paths or a cancel, the clock is set by
// the test, and the data folder is the test's own.
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
  double clock = 0.0;
  int pumps = 0;

  MessageAnswer showMessage(const QString& text, const QString& title,
                            MessageButtons buttons) override {
    messages.push_back({text, title, buttons});
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    if (answers.empty()) return MessageAnswer::Yes;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::optional<QString> showFileDialog(const FileDialogRequest& request) override {
    dialogs.push_back(request);
    if (dialogResults.empty()) return std::nullopt;
    const bool cancelled = !dialogResults.front().has_value();
    const QString path = dialogResults.front().value_or(QString());
    dialogResults.pop_front();
    if (cancelled) return std::nullopt;
    return path;
  }
  void pumpEvents() override { ++pumps; }
  double secondsSinceMidnight() override { return clock; }
  QString dataFolder() override { return dataFolder_; }

 private:
  QString dataFolder_;
};

}  // namespace sondrix::testing

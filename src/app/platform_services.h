#pragma once

#include <optional>

#include <QString>

namespace sondrix {

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

enum class FileDialogMode { Open, Save };

// What the store and playback commands ask of the file dialog. `filter` is in the dialog's own
// form, for example "CSV (*.csv);;All (*)".
struct FileDialogRequest {
  FileDialogMode mode = FileDialogMode::Open;
  QString initialName;
  QString title;
  QString folder;
  QString filter;
};

// Everything the window needs from the desktop, behind one interface so that the commands and the
// continuous run can be driven by tests without a person: the window uses the Qt implementation,
// tests a scripted one that answers from a queue and records what was asked.
class PlatformServices {
 public:
  virtual ~PlatformServices() = default;

  // A modal box with the text, the title and the buttons; returns the button pressed.
  virtual MessageAnswer showMessage(const QString& text, const QString& title,
                                    MessageButtons buttons) = 0;
  // The chosen path, or nullopt when the operator cancelled.
  virtual std::optional<QString> showFileDialog(const FileDialogRequest& request) = 0;
  // Lets the window handle what is pending (repaints, clicks) in the middle of a long command.
  virtual void pumpEvents() = 0;
  // Waits `seconds` on the event loop against a monotonic clock: the window stays live and the
  // program uses no CPU meanwhile. Returns early when endWait() is called (the window closes).
  virtual void waitSeconds(double seconds) = 0;
  virtual void endWait() = 0;
  // The program's data folder: the resume file and the Output folder live there.
  virtual QString dataFolder() = 0;
};

}  // namespace sondrix

#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

namespace sondrix {

// What `sondrix [FILE | FOLDER]` or `sondrix --picture OUT [--size WxH] [--measure] FILE` asks of
// the program.
struct CommandLine {
  enum class Action { Open, Picture, Help, Version, Error };
  Action action = Action::Open;
  // The file or folder to open, absolute against the directory the program was started in;
  // empty when none was named.
  QString target;
  QString picture;       // with Action::Picture: the picture to write, absolute
  QSize size;            // with Action::Picture: the picture's size; empty for the default
  bool measure = false;  // with Action::Picture: the measurement table is added
  QString error;         // with Action::Error: what was wrong, for the terminal
};

// The sizes --size accepts, in pixels each way.
inline constexpr int kSmallestPicture = 64;
inline constexpr int kLargestPicture = 8192;

// `arguments` as the program got them, the program's name first. Qt's own options (-platform,
// -style, ...) are passed over: the window's application takes them.
CommandLine ParseCommandLine(const QStringList& arguments);

// The usage text of --help. It names the program as it was started, so an application object
// must exist.
QString CommandLineHelp();

// "sondrix" and the application version, as --version prints it.
QString VersionText();

}  // namespace sondrix

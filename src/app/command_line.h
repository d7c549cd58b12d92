#pragma once

#include <QString>
#include <QStringList>

namespace sondrix {

// What `sondrix [FILE | FOLDER]` asks of the program.
struct CommandLine {
  enum class Action { Open, Help, Version, Error };
  Action action = Action::Open;
  // The file or folder to open, absolute against the directory the program was started in;
  // empty when none was named.
  QString target;
  QString error;  // with Action::Error: what was wrong, for the terminal
};

// `arguments` as the program got them, the program's name first.
CommandLine ParseCommandLine(const QStringList& arguments);

// The usage text of --help. It names the program as it was started, so an application object
// must exist.
QString CommandLineHelp();

// "sondrix" and the application version, as --version prints it.
QString VersionText();

}  // namespace sondrix

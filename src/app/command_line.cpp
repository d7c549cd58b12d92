#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace sondrix {
namespace {

// One parser for parsing and for the help text, so the two cannot disagree.
void Describe(QCommandLineParser& parser) {
  parser.setApplicationDescription(QStringLiteral(
      "Shows the waveform files of the four-channel oscilloscope. A FILE (.WFM, .CSV or .TXT) is\n"
      "played as the buttons play it; a FOLDER is opened in the file browser."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("target"),
                               QStringLiteral("The capture file or folder to open."),
                               QStringLiteral("[FILE | FOLDER]"));
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  Describe(parser);
  CommandLine line;
  if (!parser.parse(arguments)) {
    line.action = CommandLine::Action::Error;
    line.error = parser.errorText();
    return line;
  }
  if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
    line.action = CommandLine::Action::Help;
    return line;
  }
  if (parser.isSet(QStringLiteral("version"))) {
    line.action = CommandLine::Action::Version;
    return line;
  }
  const QStringList targets = parser.positionalArguments();
  if (targets.size() > 1) {
    line.action = CommandLine::Action::Error;
    line.error = QStringLiteral("one FILE or FOLDER at most, not %1").arg(targets.size());
    return line;
  }
  // The window makes its data folder the current directory, so a relative name is resolved now.
  if (!targets.isEmpty() && !targets.front().isEmpty()) {
    line.target = QDir::cleanPath(QFileInfo(targets.front()).absoluteFilePath());
  }
  return line;
}

QString CommandLineHelp() {
  QCommandLineParser parser;
  Describe(parser);
  return parser.helpText();
}

QString VersionText() {
  return QStringLiteral("sondrix %1").arg(QCoreApplication::applicationVersion());
}

}  // namespace sondrix

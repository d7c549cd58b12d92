#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "app/qt_options.h"

namespace sondrix {
namespace {

const QString kPicture = QStringLiteral("picture");
const QString kSize = QStringLiteral("size");
const QString kMeasure = QStringLiteral("measure");

// The absolute path of a name given relative to the directory the program was started in: the
// window makes its data folder the current directory later.
QString Absolute(const QString& name) {
  return QDir::cleanPath(QFileInfo(name).absoluteFilePath());
}

// "WxH" within the sizes a picture may have; an empty size otherwise.
QSize SizeOf(const QString& text) {
  static const QRegularExpression form(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
  const QRegularExpressionMatch match = form.match(text);
  if (!match.hasMatch()) return {};
  const QSize size(match.captured(1).toInt(), match.captured(2).toInt());
  const auto within = [](int n) { return n >= kSmallestPicture && n <= kLargestPicture; };
  return within(size.width()) && within(size.height()) ? size : QSize();
}

// One parser for parsing and for the help text, so the two cannot disagree.
void Describe(QCommandLineParser& parser) {
  parser.setApplicationDescription(QStringLiteral(
      "Shows the waveform files of the four-channel oscilloscope. A FILE (.WFM, .CSV or .TXT) is\n"
      "played as the buttons play it; a FOLDER is opened in the file browser. With --picture,\n"
      "draws FILE's waveform into a picture for a report instead, without a display."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addOption(
      {kPicture,
       QStringLiteral("Draw the waveform of FILE, as played with the whole record and the "
                      "cursors in the middle, under a title of its name, acquisition time, "
                      "model and scales, into OUT: SVG or PDF when OUT ends in .svg or .pdf, "
                      "PNG otherwise; no window opens."),
       QStringLiteral("OUT")});
  parser.addOption({kSize,
                    QStringLiteral("The picture's width and height in pixels (%1 to %2 each).")
                        .arg(kSmallestPicture)
                        .arg(kLargestPicture),
                    QStringLiteral("WxH")});
  parser.addOption({kMeasure, QStringLiteral("Add the measurement table to the picture.")});
  parser.addPositionalArgument(QStringLiteral("target"),
                               QStringLiteral("The capture file or folder to open."),
                               QStringLiteral("[FILE | FOLDER]"));
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  Describe(parser);
  CommandLine line;
  if (!parser.parse(WithoutQtOptions(arguments))) {
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
  if (!targets.isEmpty() && !targets.front().isEmpty()) line.target = Absolute(targets.front());
  const auto fail = [&line](const QString& error) {
    line.action = CommandLine::Action::Error;
    line.error = error;
    return line;
  };
  if (parser.isSet(kPicture)) {
    if (line.target.isEmpty()) return fail(QStringLiteral("--picture needs the FILE to draw"));
    if (parser.value(kPicture).isEmpty()) return fail(QStringLiteral("--picture needs a name"));
    line.action = CommandLine::Action::Picture;
    line.picture = Absolute(parser.value(kPicture));
    line.measure = parser.isSet(kMeasure);
    if (parser.isSet(kSize)) {
      line.size = SizeOf(parser.value(kSize));
      if (line.size.isEmpty()) {
        return fail(QStringLiteral("--size takes WIDTHxHEIGHT, each %1 to %2, not \"%3\"")
                        .arg(kSmallestPicture)
                        .arg(kLargestPicture)
                        .arg(parser.value(kSize)));
      }
    }
  } else if (parser.isSet(kSize) || parser.isSet(kMeasure)) {
    return fail(
        QStringLiteral("--%1 goes with --picture").arg(parser.isSet(kSize) ? kSize : kMeasure));
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

#include "app/command_line.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <tuple>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QSvgRenderer>

#include "io/file_kind.h"
#include "io/replace_check.h"
#include "support/files.h"
#include "synth/wfm_writer.h"
#include "version.h"

namespace sondrix {
namespace {

using Action = CommandLine::Action;

TEST(CommandLineTest, ArgumentsGiveTheActionAndAbsolutePaths) {
  const QString here = QDir::currentPath();
  const QString a = here + "/a.wfm";
  const std::tuple<QStringList, Action, QString, QSize> cases[] = {
      {{}, Action::Open, {}, {}},
      {{"/data/run 1/"}, Action::Open, "/data/run 1", {}},
      {{"--", "-odd.wfm"}, Action::Open, here + "/-odd.wfm", {}},
      {{"--version"}, Action::Version, {}, {}},
      {{"-h", "a.WFM"}, Action::Help, {}, {}},
      {{"a.WFM", "b.WFM"}, Action::Error, {}, {}},
      {{"--picture", "a.png", "a.wfm"}, Action::Picture, a, {}},
      {{"--picture", "a.png", "--size", "64X8192", "a.wfm"}, Action::Picture, a, {64, 8192}},
      {{"--picture", "a.png", "--size", "63x480", "a.wfm"}, Action::Error, {}, {}},
      {{"--picture", "a.png", "--size", "640x8193", "a.wfm"}, Action::Error, {}, {}},
      {{"--picture", "a.png", "--size", "640", "a.wfm"}, Action::Error, {}, {}},
      {{"--picture", "a.png"}, Action::Error, {}, {}},
      {{"--size", "640x480", "a.wfm"}, Action::Error, {}, {}},
      {{"--measure", "a.wfm"}, Action::Error, {}, {}},
      {{"--picture", "a.png", "--measure", "a.wfm"}, Action::Picture, a, {}},
      {{"--bogus", "a.wfm"}, Action::Error, {}, {}},
      // Qt's own options, with their values, are the window application's.
      {{"-platform", "xcb", "--style=fusion", "-reverse", "a.wfm"}, Action::Open, a, {}},
      {{"--platform", "offscreen", "--picture", "a.png", "a.wfm"}, Action::Picture, a, {}},
      {{"--", "-reverse"}, Action::Open, here + "/-reverse", {}},
  };
  for (const auto& [arguments, action, target, size] : cases) {
    const CommandLine line = ParseCommandLine(QStringList{"sondrix"} + arguments);
    SCOPED_TRACE(arguments.join(' ').toStdString());
    EXPECT_EQ(line.action, action);
    EXPECT_EQ(line.error.isEmpty(), action != Action::Error);
    if (action == Action::Error) continue;
    EXPECT_EQ(line.target, target);
    EXPECT_EQ(line.size, size);
    EXPECT_EQ(line.measure, arguments.contains("--measure"));
    EXPECT_EQ(line.picture, action == Action::Picture ? here + "/a.png" : QString());
  }
}

std::tuple<int, std::string, std::string> RunProgram(const QStringList& arguments,
                                                     const testing::TempDir& folder) {
  QProcess program;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    environment.remove(QString::fromLatin1(name));
  }
  environment.insert("XDG_DATA_HOME", QString::fromStdString((folder / "data").string()));
  program.setProcessEnvironment(environment);
  program.setWorkingDirectory(QString::fromStdString(folder.path().string()));
  program.start(SONDRIX_EXE, arguments);
  EXPECT_TRUE(program.waitForFinished(30000));
  return {program.exitCode(), program.readAllStandardOutput().toStdString(),
          program.readAllStandardError().toStdString()};
}

int Count(const QImage& image, QRgb colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) == colour ? 1 : 0;
  }
  return n;
}

// A usage error is the usage on standard error, status 2; a picture is the frame as the window
// paints it, or the reason it cannot be drawn. None makes the data folder.
TEST(CommandLineTest, TheProgramPrintsItsVersionOrDrawsAPictureWithoutADisplay) {
  const testing::TempDir folder;
  const auto [versionStatus, version, noise] = RunProgram({"--version"}, folder);
  EXPECT_EQ(versionStatus, 0);
  EXPECT_EQ(version, std::string("sondrix ") + kSondrixVersion + "\n");
  const auto [usageStatus, none, usage] = RunProgram({"--picture", "out.png"}, folder);
  EXPECT_EQ(usageStatus, 2);
  EXPECT_NE(usage.find("Usage: "), std::string::npos) << usage;

  synth::WriteBytes(folder / "four.wfm",
                    synth::SerializeWfm(synth::MakeCapture(synth::SineCapture(4, 5000))));
  synth::WriteBytes(folder / "broken.wfm", "no capture here\r\n");
  EXPECT_EQ(
      std::get<0>(RunProgram({"--picture", "four.png", "--size", "640x540", "four.wfm"}, folder)),
      0);
  QImage image(QString::fromStdString((folder / "four.png").string()));
  ASSERT_EQ(image.size(), QSize(640, 540));
  image = image.convertToFormat(QImage::Format_RGB32);
  EXPECT_GT(Count(image, 0x000000), 640 * 540 / 4) << "the black surface";
  EXPECT_GT(Count(image, 0xFFFF00), 1000) << "the first trace";
  EXPECT_GT(Count(image, 0xFF0000), 300) << "the cursors";
  EXPECT_FALSE(std::filesystem::exists(folder / "data")) << "no data folder, no settings";
  // SVG and PDF by the name's ending, at the size asked, titled with the capture's name.
  for (const char* name : {"four.svg", "four.PDF"}) {
    EXPECT_EQ(std::get<0>(RunProgram(
                  {"--picture", name, "--size", "640x540", "--measure", "four.wfm"}, folder)),
              0);
  }
  const QSvgRenderer svg(QString::fromStdString((folder / "four.svg").string()));
  EXPECT_EQ(svg.viewBox(), QRect(0, 0, 640, 540));
  EXPECT_NE(testing::ReadWhole(folder / "four.svg").find("<title>four.wfm"), std::string::npos);
  const std::string pdf = testing::ReadWhole(folder / "four.PDF");
  EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
  EXPECT_NE(pdf.find("/MediaBox [0 0 640.000000 540.000000]"), std::string::npos);

  // A spreadsheet's table holds no waveform: refused as the converter refuses it, not drawn empty.
  synth::WriteBytes(folder / "sheet.csv", "Name,Amount\r\nBob,3\r\n");
  for (const char* input : {"broken.wfm", "sheet.csv"}) {
    const auto [status, out, reason] = RunProgram({"--picture", "broken.png", input}, folder);
    EXPECT_EQ(status, 1);
    EXPECT_NE(reason.find(std::string(input) + ": "), std::string::npos) << reason;
    EXPECT_FALSE(std::filesystem::exists(folder / "broken.png"));
  }

  // --picture checks OUT before FILE is read: FILE itself is refused, and so is what ReplaceCheck
  // refuses (its test has the kinds, a device among them; SafeFile's the links), with the
  // reason and status 2, and left as it was; a write the system refuses names its reason.
  const std::string capture = testing::ReadWhole(folder / "four.wfm");
  const std::string png("\x89PNG\r\n\x1a\nold", 11);
  for (const char* name : {"a.WFM", "b.WFM"}) synth::WriteBytes(folder / name, capture);
  synth::WriteBytes(folder / "old.png", png);
  synth::WriteBytes(folder / "old.pdf", "%PDF-1.4 old");
  synth::WriteBytes(folder / "page.svg", "<?xml version=\"1.0\"?>\n<html/>");
  const std::string other = OtherContentError().message();
  const struct {
    const char* out;
    int status;
    std::string reason;
  } cases[] = {
      {"old.png", 0, ""},
      {"old.pdf", 0, ""},
      {"page.svg", 2, other},  // XML that Qt's SVG writer did not write
      {"b.WFM", 2, "is the FILE to draw"},
      {"a.WFM", 2, other},  // `--picture *.WFM` with a.WFM and b.WFM
      {"none/new.png", 1, std::make_error_code(std::errc::no_such_file_or_directory).message()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.out);
    const std::filesystem::path out = folder / c.out;
    const bool regular = std::filesystem::is_regular_file(out);
    const std::string before = regular ? testing::ReadWhole(out) : std::string();
    const auto [status, printed, error] =
        RunProgram({"--picture", c.out, "--size", "64x80", "b.WFM"}, folder);
    EXPECT_EQ(status, c.status);
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    if (c.status == 0) {
      EXPECT_NE(testing::ReadWhole(out), before);
    } else if (regular) {
      EXPECT_EQ(testing::ReadWhole(out), before);
    }
  }
}

}  // namespace
}  // namespace sondrix

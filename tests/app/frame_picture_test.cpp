#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>

#include "app/command_line.h"
#include "support/temp_dir.h"
#include "synth/wfm_writer.h"

namespace sondrix {
namespace {

using Action = CommandLine::Action;

TEST(FramePictureTest, TheOptionsGiveAPictureOfOneFile) {
  const QString here = QDir::currentPath();
  const struct {
    QStringList arguments;
    Action action;
    QSize size;
  } cases[] = {
      {{"sondrix", "--picture", "a.png", "a.wfm"}, Action::Picture, {}},
      {{"sondrix", "--picture", "a.png", "--size", "640x480", "a.wfm"},
       Action::Picture,
       {640, 480}},
      {{"sondrix", "--picture", "a.png", "--size", "64X8192", "a.wfm"},
       Action::Picture,
       {64, 8192}},
      {{"sondrix", "--picture", "a.png", "--size", "63x480", "a.wfm"}, Action::Error, {}},
      {{"sondrix", "--picture", "a.png", "--size", "640x8193", "a.wfm"}, Action::Error, {}},
      {{"sondrix", "--picture", "a.png", "--size", "640", "a.wfm"}, Action::Error, {}},
      {{"sondrix", "--picture", "a.png"}, Action::Error, {}},
      {{"sondrix", "--size", "640x480", "a.wfm"}, Action::Error, {}},
  };
  for (const auto& c : cases) {
    const CommandLine line = ParseCommandLine(c.arguments);
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    EXPECT_EQ(line.action, c.action);
    EXPECT_EQ(line.size, c.size);
    if (c.action == Action::Picture) {
      EXPECT_EQ(line.picture, here + "/a.png");
      EXPECT_EQ(line.target, here + "/a.wfm");
    }
  }
}

int Count(const QImage& image, QRgb colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) == colour ? 1 : 0;
  }
  return n;
}

// The program without a display: it writes the picture and nothing else, or says why not.
TEST(FramePictureTest, TheProgramDrawsTheFrameWithoutADisplay) {
  const testing::TempDir folder;
  synth::WriteBytes(folder / "four.wfm",
                    synth::SerializeWfm(synth::MakeCapture(synth::SineCapture(4, 5000))));
  synth::WriteBytes(folder / "broken.wfm", "no capture here\r\n");
  const auto run = [&](const char* capture, const char* picture) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
      environment.remove(QString::fromLatin1(name));
    }
    environment.insert("XDG_DATA_HOME", QString::fromStdString((folder / "data").string()));
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(QString::fromStdString(folder.path().string()));
    program.start(SONDRIX_EXE, {"--picture", picture, "--size", "640x540", capture});
    EXPECT_TRUE(program.waitForFinished(30000));
    return std::pair(program.exitCode(), program.readAllStandardError().toStdString());
  };

  EXPECT_EQ(run("four.wfm", "four.png").first, 0);
  QImage image(QString::fromStdString((folder / "four.png").string()));
  ASSERT_EQ(image.size(), QSize(640, 540));
  image = image.convertToFormat(QImage::Format_RGB32);
  EXPECT_GT(Count(image, 0x000000), 640 * 540 / 4) << "the black surface";
  for (const QRgb colour : {0xFFFF00u, 0xFF00FFu, 0x00FFFFu, 0x00FF00u}) {
    EXPECT_GT(Count(image, colour), 1000) << std::hex << colour;
  }
  EXPECT_GT(Count(image, 0xFF0000), 300) << "the cursors";
  EXPECT_FALSE(std::filesystem::exists(folder / "data")) << "no data folder, no settings";

  const auto [status, reason] = run("broken.wfm", "broken.png");
  EXPECT_EQ(status, 1);
  EXPECT_NE(reason.find("broken.wfm: "), std::string::npos) << reason;
  EXPECT_FALSE(std::filesystem::exists(folder / "broken.png"));
}

}  // namespace
}  // namespace sondrix

#include "app/resume_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include <sys/resource.h>
#include <unistd.h>

#include "app/split_path.h"
#include "support/read_file.h"
#include "support/special_files.h"
#include "support/temp_dir.h"
#include "synth/wfm_writer.h"

namespace sondrix {
namespace {

namespace fs = std::filesystem;

QString Q(const fs::path& path) { return QString::fromStdString(path.string()); }

TEST(ResumeFile, BooleansReadAsWordsInAnyCaseOrAsNumbers) {
  const std::pair<const char*, std::optional<bool>> rows[] = {
      {"True", true}, {" tRuE ", true},      {"False", false},  {"0", false},
      {"-1", true},   {"yes", std::nullopt}, {"", std::nullopt}};
  for (const auto& [line, value] : rows) EXPECT_EQ(ResumeBoolValue(line), value) << line;
}

TEST(ResumeFile, LinesKeepTheirBlanksAndAnyLineEnd) {
  testing::TempDir dir;
  const QString path = Q(dir / "r.txt");
  // A line break inside a text would shift every later value: it is written as a blank.
  ASSERT_EQ(WriteResumeLines(path, {"  a, b ", "", "Ｘ軸", "x\ny\r"}), 0);
  EXPECT_EQ(testing::ReadWhole(dir / "r.txt"), "  a, b \r\n\r\nＸ軸\r\nx y \r\n");
  EXPECT_EQ(ReadResumeLines(path), (QStringList{"  a, b ", "", "Ｘ軸", "x y "}));

  synth::WriteBytes(dir / "mixed.txt", "1\n2\r3\r\n4");
  EXPECT_EQ(ReadResumeLines(Q(dir / "mixed.txt")), (QStringList{"1", "2", "3", "4"}));
  EXPECT_EQ(ReadResumeLines(Q(dir / "none.txt")), std::nullopt);
}

TEST(ResumeFile, AFailedWriteLeavesTheOldFileWhole) {
  testing::TempDir dir;
  const QString path = Q(dir / "r.txt");
  ASSERT_EQ(WriteResumeLines(path, {"old"}), 0);
  EXPECT_EQ(WriteResumeLines(Q(dir / "missing" / "r.txt"), {"x"}), -1);
  // The disk fills up half-way through the new file: no file may grow beyond 64 bytes.
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit full = saved;
  full.rlim_cur = 64;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
  const int status = WriteResumeLines(path, QStringList(18, QString(10, u'x')));
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &saved), 0);
  EXPECT_EQ(status, -1);
  EXPECT_EQ(testing::ReadWhole(dir / "r.txt"), "old\r\n");
}

// The settings file only ever is a regular file: anything else at its name, links followed, is
// neither read (a FIFO would wait for ever) nor written (a device would be replaced).
TEST(ResumeFile, ALinkToAFifoOrADeviceIsNeitherReadNorWritten) {
  testing::TempDir dir;
  ASSERT_TRUE(testing::MakeFifo(dir / "fifo"));
  // The system's /dev/zero only where a fault could not replace it (not root).
  const fs::path zero = testing::MakeCharDevice(dir / "zero", 1, 5) ? dir / "zero" : "/dev/zero";
  for (const fs::path& target : {dir / "fifo", zero}) {
    const fs::path settings = dir / "Resume(V4.10).txt";
    fs::remove(settings);
    fs::create_symlink(target, settings);
    const QString path = Q(settings);
    ::alarm(30);  // a read that waited for the FIFO's writer ends the test
    EXPECT_EQ(ReadResumeLines(path), std::nullopt) << target;
    ::alarm(0);
    EXPECT_EQ(WriteResumeLines(path, {"1", "2"}), -1) << target;
    EXPECT_TRUE(fs::is_symlink(settings));
  }
  EXPECT_EQ(fs::status(dir / "fifo").type(), fs::file_type::fifo);
  EXPECT_EQ(fs::status(zero).type(), fs::file_type::character);
}

TEST(SplitPath, SplitsAtTheLastSeparatorOnly) {
  QString folder = "old";
  QString name = "kept";
  SplitPath("bare.csv", folder, name);
  EXPECT_EQ(QStringList({folder, name}), QStringList({"old", "kept"}));
  SplitPath("/a/b.csv", folder, name);
  EXPECT_EQ(QStringList({folder, name}), QStringList({"/a", "b.csv"}));
  SplitPath("/a/", folder, name);
  EXPECT_EQ(QStringList({folder, name}), QStringList({"/a", ""}));
  EXPECT_EQ(JoinPath("/", "x"), "/x");
  EXPECT_EQ(JoinPath("/a", "x"), "/a/x");
}

}  // namespace
}  // namespace sondrix

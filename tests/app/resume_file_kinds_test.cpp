// The settings file only ever is a regular file: anything else at its name, links followed, is
// neither read (a FIFO would wait for ever) nor written (a device would be replaced).
#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

#include "app/resume_file.h"
#include "support/special_files.h"
#include "support/temp_dir.h"

namespace sondrix {
namespace {

namespace fs = std::filesystem;

TEST(ResumeFileKinds, ALinkToAFifoOrADeviceIsNeitherReadNorWritten) {
  testing::TempDir dir;
  ASSERT_TRUE(testing::MakeFifo(dir / "fifo"));
  // The system's /dev/zero only where a fault could not replace it (not root).
  const fs::path zero = testing::MakeCharDevice(dir / "zero", 1, 5) ? dir / "zero" : "/dev/zero";
  for (const fs::path& target : {dir / "fifo", zero}) {
    const fs::path settings = dir / "Resume(V4.10).txt";
    fs::remove(settings);
    fs::create_symlink(target, settings);
    const QString path = QString::fromStdString(settings.string());
    ::alarm(30);  // a read that waited for the FIFO's writer ends the test
    EXPECT_EQ(ReadResumeLines(path), std::nullopt) << target;
    ::alarm(0);
    EXPECT_EQ(WriteResumeLines(path, {"1", "2"}), -1) << target;
    EXPECT_TRUE(fs::is_symlink(settings));
  }
  EXPECT_EQ(fs::status(dir / "fifo").type(), fs::file_type::fifo);
  EXPECT_EQ(fs::status(zero).type(), fs::file_type::character);
}

}  // namespace
}  // namespace sondrix

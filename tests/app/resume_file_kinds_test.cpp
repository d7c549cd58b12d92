// The settings file only ever is a regular file: anything else at its name, links followed, is
// neither read (a FIFO would wait for ever) nor written (a device would be replaced).
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include <unistd.h>

#include "app/resume_file.h"
#include "support/special_files.h"
#include "support/temp_dir.h"

namespace sondrix {
namespace {

namespace fs = std::filesystem;

TEST(ResumeFileKinds, ALinkToAFifoOrADeviceIsNeitherReadNorWritten) {
  struct Row {
    const char* what;
    std::function<fs::path(const fs::path& dir)> make;  // what the link names
    fs::file_type kind;
  };
  const Row rows[] = {
      {"a FIFO",
       [](const fs::path& dir) {
         testing::MakeFifo(dir / "fifo");
         return dir / "fifo";
       },
       fs::file_type::fifo},
      // The system's own /dev/zero only where a fault could not replace it (not root).
      {"a device",
       [](const fs::path& dir) {
         return testing::MakeCharDevice(dir / "zero", 1, 5) ? dir / "zero" : fs::path("/dev/zero");
       },
       fs::file_type::character},
  };
  for (const Row& row : rows) {
    testing::TempDir dir;
    const fs::path target = row.make(dir.path());
    const fs::path settings = dir / "Resume(V4.10).txt";
    fs::create_symlink(target, settings);
    const QString path = QString::fromStdString(settings.string());
    ::alarm(30);  // a read that waited for the FIFO's writer ends the test
    EXPECT_EQ(ReadResumeLines(path), std::nullopt) << row.what;
    ::alarm(0);
    EXPECT_EQ(WriteResumeLines(path, {"1", "2"}), -1) << row.what;
    EXPECT_TRUE(fs::is_symlink(settings)) << row.what;
    EXPECT_EQ(fs::status(target).type(), row.kind) << row.what;
  }
}

}  // namespace
}  // namespace sondrix

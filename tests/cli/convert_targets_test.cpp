// The converter's outputs and inputs that are not plain files, and conversions cut short.
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

#include "cli/convert_program.h"
#include "support/special_files.h"

namespace sondrix {
namespace {

namespace fs = std::filesystem;

TEST_F(ConvertProgram, WritesAFifoADeviceOrStandardOutputAsAStream) {
  const std::string input = capture("in.wfm", 300);
  ASSERT_EQ(run("-o " + (dir / "file.CSV").string() + " " + input), 0) << err;
  const std::string csv = testing::ReadWhole(dir / "file.CSV");
  ASSERT_TRUE(csv.starts_with("ModelName,"));
  for (const char* target : {"-", "/dev/stdout"}) {
    ASSERT_EQ(run(std::string("-o ") + target + " " + input), 0) << err;
    EXPECT_TRUE(out == csv) << target << ": the CSV text alone, no name line after it";
  }
  const fs::path fifo = dir / "fifo";
  ASSERT_TRUE(testing::MakeFifo(fifo));
  // A reader at the other end, as a pipe has; the group ends with the converter's status.
  const std::string read = "timeout 60 cat " + fifo.string() + " >" + (dir / "read").string();
  EXPECT_EQ(shell("{ " + read + " & timeout 60 " + SONDRIX_CONVERT_EXE + " -o " + fifo.string() +
                  " " + input + "; s=$?; wait; exit $s; }"),
            0)
      << err;
  EXPECT_TRUE(testing::ReadWhole(dir / "read") == csv);
  EXPECT_EQ(out, fifo.string() + "\n");
  EXPECT_EQ(fs::symlink_status(fifo).type(), fs::file_type::fifo);
  if (testing::MakeCharDevice(dir / "null", 1, 3)) {
    EXPECT_EQ(run("-o " + (dir / "null").string() + " " + input), 0) << err;
    EXPECT_EQ(fs::status(dir / "null").type(), fs::file_type::character);
  }
  const fs::path full = testing::MakeCharDevice(dir / "full", 1, 7) ? dir / "full" : "/dev/full";
  EXPECT_EQ(run("-o " + full.string() + " " + input), 1);
  EXPECT_EQ(err, "sondrix-convert: " + input + ": " + full.string() +
                     ": writing failed: No space left on device\n");
}

TEST_F(ConvertProgram, ASignalMidWriteLeavesTheOldCsvAndNoTemporary) {
  // Large enough that writing its CSV (about 50 MB) outlasts the look for the open output.
  const std::string input = capture("big.wfm", 1'000'000);
  const fs::path folder = dir / "out";
  fs::create_directory(folder);
  const fs::path csv = folder / "big.CSV";
  for (const int sig : {SIGKILL, SIGTERM, SIGINT, SIGHUP}) {
    std::ofstream(csv, std::ios::binary) << "old";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      const int null = ::open("/dev/null", O_WRONLY);
      ::dup2(null, STDOUT_FILENO);
      ::dup2(null, STDERR_FILENO);
      // As from a terminal: a test runner may have left SIGINT ignored.
      std::signal(sig, SIG_DFL);
      ::execl(SONDRIX_CONVERT_EXE, SONDRIX_CONVERT_EXE, "-o", csv.c_str(), input.c_str(), nullptr);
      ::_exit(127);
    }
    // The output is open once a descriptor of the converter leads into the output folder.
    const fs::path fds = "/proc/" + std::to_string(child) + "/fd";
    bool writing = false;
    for (int wait = 0; wait < 60'000 && !writing; ++wait) {
      std::error_code ec;
      for (const auto& entry : fs::directory_iterator(fds, ec)) {
        writing =
            writing || fs::read_symlink(entry.path(), ec).string().starts_with(folder.string());
      }
      if (!writing) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(writing) << "the converter never opened its output";
    ::kill(child, sig);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(ShellStatus(status), 128 + sig);
    EXPECT_EQ(testing::ReadWhole(csv), "old") << sig;
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1) << sig << ": a file was left";
  }
}

}  // namespace
}  // namespace sondrix

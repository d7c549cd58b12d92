#include "io/safe_write.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/read_file.h"
#include "support/special_files.h"
#include "support/temp_dir.h"

namespace sondrix {
namespace {

namespace fs = std::filesystem;

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Writes `text` through a SafeFile: the error of the first step that fails.
std::error_code Replace(const fs::path& path, const std::string& text, WriteRules rules = {}) {
  SafeFile file;
  if (const std::error_code ec = file.open(path, rules)) return ec;
  if (const std::error_code ec = file.write(text.data(), text.size())) return ec;
  return file.commit();
}

// Every entry under `dir`, so that a temporary left behind shows.
std::vector<std::string> Entries(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    names.push_back(entry.path().lexically_relative(dir).string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

struct stat StatOf(const fs::path& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st;
}

// Every rule holds for a nameless temporary and for a named one alike.
const WriteRules kBothTemps[] = {{}, {.unnamedTemp = false}};

TEST(SafeFile, ReplacesWhatLinksNameAndKeepsTheModeAndTheLinks) {
  const mode_t umask = ::umask(0);
  ::umask(umask);
  struct Row {
    const char* what;
    std::function<void(const fs::path&)> setUp;  // makes "out" in the folder given
    const char* written;                         // where the text lands
    mode_t mode;                                 // of the file written
    std::vector<std::string> entries;
  };
  const auto file = [](const char* name, mode_t mode) {
    return [=](const fs::path& dir) {
      fs::create_directory(dir / "data");
      WriteText(dir / name, "old");
      ::chmod((dir / name).c_str(), mode);
    };
  };
  const auto link = [](const char* to, const char* at) {
    return [=](const fs::path& dir) { fs::create_symlink(to, dir / at); };
  };
  const auto both = [](auto first, auto second) {
    return [=](const fs::path& dir) {
      first(dir);
      second(dir);
    };
  };
  const Row rows[] = {
      {"a new file", [](const fs::path&) {}, "out", 0666 & ~umask, {"out"}},
      {"a read-only file", file("out", 0440), "out", 0440, {"data", "out"}},
      {"a file of mode 0640", file("out", 0640), "out", 0640, {"data", "out"}},
      {"a link to a file in another folder",
       both(file("data/f", 0604), link("data/f", "out")),
       "data/f",
       0604,
       {"data", "data/f", "out"}},
      {"a chain of links",
       both(both(file("data/f", 0600), link("f", "data/l")), link("data/l", "out")),
       "data/f",
       0600,
       {"data", "data/f", "data/l", "out"}},
      {"a link to a file not there yet",
       both(file("data/f", 0600), link("data/new", "out")),
       "data/new",
       0666 & ~umask,
       {"data", "data/f", "data/new", "out"}},
  };
  for (const Row& row : rows) {
    for (const WriteRules& rules : kBothTemps) {
      testing::TempDir dir;
      row.setUp(dir.path());
      ASSERT_FALSE(Replace(dir / "out", "new", rules)) << row.what;
      EXPECT_EQ(testing::ReadWhole(dir / row.written), "new") << row.what;
      EXPECT_EQ(fs::is_symlink(dir / "out"), row.written != std::string("out")) << row.what;
      EXPECT_EQ(StatOf(dir / row.written).st_mode & 07777, row.mode) << row.what;
      EXPECT_EQ(Entries(dir.path()), row.entries) << row.what << ": nothing else is left";
    }
  }
}

TEST(SafeFile, AReplacedFileKeepsItsOwnerAndGroup) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file to another owner";
  for (const WriteRules& rules : kBothTemps) {
    testing::TempDir dir;
    WriteText(dir / "out", "old");
    ASSERT_EQ(::chown((dir / "out").c_str(), 1234, 5678), 0);
    // A set-ID bit would be cleared by a change of owner made after the mode.
    ASSERT_EQ(::chmod((dir / "out").c_str(), 02750), 0);
    ASSERT_FALSE(Replace(dir / "out", "new", rules));
    const struct stat st = StatOf(dir / "out");
    EXPECT_EQ(st.st_uid, 1234u);
    EXPECT_EQ(st.st_gid, 5678u);
    EXPECT_EQ(st.st_mode & 07777, 02750u);
  }
}

TEST(SafeFile, NeverReplacesWhatIsNotARegularFile) {
  struct Row {
    const char* what;
    std::function<bool(const fs::path&)> setUp;  // false: the test may not make it here
    std::string reason;
  };
  const auto fifo = [](const fs::path& at) { return testing::MakeFifo(at); };
  const auto device = [](const fs::path& at) { return testing::MakeCharDevice(at, 1, 3); };
  const auto linked = [](std::function<bool(const fs::path&)> make) {
    return [=](const fs::path& at) {
      fs::create_symlink("thing", at);
      return make(at.parent_path() / "thing");
    };
  };
  const Row rows[] = {
      {"a folder", [](const fs::path& at) { return fs::create_directory(at); }, "Is a directory"},
      {"a FIFO", fifo, "not a regular file"},
      {"a link to a FIFO", linked(fifo), "not a regular file"},
      {"a device", device, "not a regular file"},
      {"a link to a device", linked(device), "not a regular file"},
      {"a loop of links",
       [](const fs::path& at) {
         fs::create_symlink("out", at);
         return true;
       },
       "Too many levels of symbolic links"},
  };
  for (const Row& row : rows) {
    for (const WriteRules& rules : kBothTemps) {
      testing::TempDir dir;
      if (!row.setUp(dir / "out")) continue;  // a device node needs root
      const std::vector<std::string> before = Entries(dir.path());
      const fs::file_type kind = fs::symlink_status(dir / "out").type();
      const std::error_code error = Replace(dir / "out", "new", rules);
      EXPECT_EQ(error.message(), row.reason) << row.what;
      EXPECT_EQ(fs::symlink_status(dir / "out").type(), kind) << row.what;
      EXPECT_EQ(Entries(dir.path()), before) << row.what;
    }
  }
  testing::TempDir dir;
  EXPECT_EQ(Replace(dir / "missing" / "out", "new").message(), "No such file or directory");
}

TEST(SafeFile, StreamsIntoAFifoOrADeviceInPlace) {
  const WriteRules stream{.nonRegular = NonRegularTarget::Stream};
  testing::TempDir dir;
  ASSERT_TRUE(testing::MakeFifo(dir / "fifo"));
  fs::create_symlink("fifo", dir / "link");
  for (const char* name : {"fifo", "link"}) {
    testing::FifoReader reader(dir / "fifo");
    EXPECT_FALSE(Replace(dir / name, "text", stream)) << name;
    EXPECT_EQ(reader.text(), "text") << name;
  }
  EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"fifo", "link"}));
  EXPECT_TRUE(testing::IsFifo(dir / "fifo"));
  fs::create_directory(dir / "folder");
  EXPECT_EQ(Replace(dir / "folder", "text", stream).message(), "Is a directory");
  // A node of its own where the test may make one, so that a fault cannot harm the system's.
  const fs::path full = testing::MakeCharDevice(dir / "full", 1, 7) ? dir / "full" : "/dev/full";
  EXPECT_EQ(Replace(full, "text", stream).message(), "No space left on device");
  EXPECT_EQ(fs::status(full).type(), fs::file_type::character);
}

TEST(SafeFile, AnUnfinishedFileLeavesTheOldOneWholeAndNothingElse) {
  for (const WriteRules& rules : kBothTemps) {
    testing::TempDir dir;
    WriteText(dir / "out", "old");
    {
      SafeFile file;
      ASSERT_FALSE(file.open(dir / "out", rules));
      ASSERT_FALSE(file.write("new", 3));
    }
    // The disk fills up half-way: no file may grow beyond 4 bytes.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit full = saved;
    full.rlim_cur = 4;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
    const std::error_code error = Replace(dir / "out", "longer", rules);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &saved), 0);
    EXPECT_EQ(error.message(), "File too large");
    EXPECT_EQ(testing::ReadWhole(dir / "out"), "old");
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"out"});
  }
}

TEST(SafeFile, ANamedTemporaryGoesWithTheSignalThatEndsTheProcess) {
  for (const int sig : {SIGINT, SIGTERM, SIGHUP}) {
    testing::TempDir dir;
    WriteText(dir / "out", "old");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // As a program starts: a test runner may have left SIGINT ignored.
      std::signal(sig, SIG_DFL);
      SafeFile file;
      if (file.open(dir / "out", {.unnamedTemp = false}) || file.write("new", 3)) ::_exit(100);
      ::raise(sig);
      ::_exit(101);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << sig << ": status " << status;
    EXPECT_EQ(testing::ReadWhole(dir / "out"), "old");
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"out"}) << sig;
  }
}

}  // namespace
}  // namespace sondrix

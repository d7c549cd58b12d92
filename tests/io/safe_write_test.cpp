#include "io/safe_write.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "io/byte_reader.h"
#include "io/file_kind.h"
#include "io/link_walk.h"
#include "io/replace_check.h"
#include "support/files.h"

namespace sondrix {
namespace {

namespace fs = std::filesystem;

void WriteText(const fs::path& path, const std::string& text, mode_t mode = 0) {
  std::ofstream(path, std::ios::binary) << text;
  if (mode != 0) ::chmod(path.c_str(), mode);
}

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

// Every rule holds for a nameless temporary and for a named one alike.
const WriteRules kBothTemps[] = {{}, {.unnamedTemp = false}};

TEST(SafeFile, ReplacesWhatLinksNameKeepingModeOwnerAndLinks) {
  const mode_t umask = ::umask(0);
  ::umask(umask);
  const bool root = ::geteuid() == 0;
  for (const WriteRules& rules : kBothTemps) {
    testing::TempDir dir;
    fs::create_directory(dir / "data");
    WriteText(dir / "old", "old");
    // Only root may give a file away; a set-ID bit would go with a change of owner made last.
    if (root) {
      ASSERT_EQ(::chown((dir / "old").c_str(), 1234, 5678), 0);
    }
    ::chmod((dir / "old").c_str(), root ? 02750 : 0640);
    WriteText(dir / "data/f", "old", 0604);
    fs::create_symlink("f", dir / "data/l");
    fs::create_symlink("data/l", dir / "chain");
    fs::create_symlink("data/new", dir / "dangling");
    const struct Row {
      const char* path;
      const char* written;
      mode_t mode;
    } rows[] = {{"old", "old", root ? 02750u : 0640u},
                {"chain", "data/f", 0604},
                {"dangling", "data/new", 0666 & ~umask},
                {"new", "new", 0666 & ~umask}};
    const std::vector<std::string> entries = {"chain",  "dangling", "data", "data/f",
                                              "data/l", "data/new", "new",  "old"};
    for (const Row& row : rows) {
      ASSERT_FALSE(Replace(dir / row.path, row.path, rules)) << row.path;
      EXPECT_EQ(testing::ReadWhole(dir / row.written), row.path);
      struct stat st {};
      ASSERT_EQ(::lstat((dir / row.written).c_str(), &st), 0);
      EXPECT_EQ(st.st_mode & 07777, row.mode) << row.path;
      if (root && row.path == std::string("old")) {
        EXPECT_EQ(std::pair(st.st_uid, st.st_gid), std::pair(1234u, 5678u));
      }
    }
    EXPECT_EQ(Entries(dir.path()), entries) << "the links stay, and nothing else is left";
  }
}

TEST(SafeFile, WhatIsNotARegularFileIsNeitherReadNorReplaced) {
  testing::TempDir dir;
  fs::create_directory(dir / "folder");
  ASSERT_TRUE(testing::MakeFifo(dir / "fifo"));
  fs::create_symlink("fifo", dir / "to-fifo");
  fs::create_symlink("loop", dir / "loop");
  std::vector<std::pair<std::string, std::string>> rows = {
      {"folder", "Is a directory"},
      {"fifo", "not a regular file"},
      {"to-fifo", "not a regular file"},
      {"loop", "Too many levels of symbolic links"},
      {"missing/x", "No such file or directory"}};
  if (testing::MakeCharDevice(dir / "null", 1, 3)) rows.emplace_back("null", "not a regular file");
  const std::vector<std::string> before = Entries(dir.path());
  ::alarm(30);  // a reader that waited for the FIFO's writer would wait for ever
  for (const auto& [name, reason] : rows) {
    ByteReader reader;
    EXPECT_EQ(reader.open(dir / name).message(), reason) << name;
    for (const WriteRules& rules : kBothTemps) {
      EXPECT_EQ(Replace(dir / name, "new", rules).message(), reason) << name;
    }
  }
  ::alarm(0);
  EXPECT_EQ(Entries(dir.path()), before);
  EXPECT_EQ(fs::status(dir / "fifo").type(), fs::file_type::fifo);
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
    ASSERT_FALSE(Replace(dir / "out", "1", rules));
    EXPECT_EQ(testing::ReadWhole(dir / "out"), "1") << "the last byte is written too";
  }
}

// Room set aside for a longer file is given back, and never asked past the file size limit.
TEST(SafeFile, ReservedRoomBeyondWhatIsWrittenIsGivenBack) {
  for (const WriteRules& rules : kBothTemps) {
    testing::TempDir dir;
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
      const rlimit limit{.rlim_cur = 1 << 20, .rlim_max = RLIM_INFINITY};
      SafeFile file;
      const bool ok = setrlimit(RLIMIT_FSIZE, &limit) == 0 && !file.open(dir / "out", rules) &&
                      !file.write("head", 4);
      file.reserve(std::uint64_t{8} << 20);
      _exit(ok && !file.write("tail", 4) && !file.commit() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(testing::ReadWhole(dir / "out"), "headtail");
    struct stat st {};
    ASSERT_EQ(::stat((dir / "out").c_str(), &st), 0);
    EXPECT_LT(st.st_blocks * 512, 65536);
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"out"});
  }
}

// The signal removes the temporaries of every writer at work, however many there are, whatever
// the others did before: one that finished gives its entry back for the next one to take.
TEST(SafeFile, NamedTemporariesGoWithTheSignalThatEndsTheProcess) {
  for (const int sig : {SIGINT, SIGTERM, SIGHUP}) {
    for (const std::size_t atWork : {1, 40}) {
      testing::TempDir dir;
      const pid_t child = ::fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        std::signal(sig, SIG_DFL);  // as a program starts; a test runner may ignore SIGINT
        std::vector<SafeFile> files(atWork);
        for (std::size_t i = 0; i < atWork; ++i) {
          const fs::path path = dir / std::to_string(i);
          if (files[i].open(path, {.unnamedTemp = false}) || files[i].write("new", 3)) ::_exit(100);
        }
        if (Replace(dir / "other", "x", {.unnamedTemp = false})) ::_exit(100);
        SafeFile last;  // takes the entry "other" gave back
        if (last.open(dir / "last", {.unnamedTemp = false})) ::_exit(100);
        ::raise(sig);
        ::_exit(101);
      }
      int status = 0;
      ASSERT_EQ(::waitpid(child, &status, 0), child);
      EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << sig << ": status " << status;
      EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"other"}) << sig << ", " << atWork;
    }
  }
}

// Another user's link in a shared sticky folder could aim our write anywhere; the system's own
// rule says which links there are followed, hop by hop.
TEST(SafeFile, FollowsALinkInASharedFolderOnlyWhenOursOrTheFolderOwners) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a link to another user";
  constexpr uid_t kOther = 65534;
  testing::TempDir dir;
  const auto folder = [&](const char* name, mode_t mode, uid_t owner) {
    fs::create_directory(dir / name);
    ::chmod((dir / name).c_str(), mode);
    EXPECT_EQ(::chown((dir / name).c_str(), owner, 0), 0);
  };
  folder("shared", 01777, 0);
  folder("theirs", 01777, kOther);
  folder("plain", 0777, 0);
  folder("sticky", 01755, 0);  // only the owner writes there: not shared
  const auto link = [&](const std::string& to, const std::string& at, uid_t owner) {
    fs::create_symlink(to, dir / at);
    EXPECT_EQ(::lchown((dir / at).c_str(), owner, 0), 0);
  };
  link("../target", "shared/ours", 0);
  link("../target", "shared/other", kOther);
  link("../target", "theirs/owners", kOther);
  link("../target", "plain/other", kOther);
  link("../target", "sticky/other", kOther);
  link("../shared/other", "plain/via", 0);  // a trusted first hop does not vouch for the next
  link("../missing", "shared/dangling", kOther);
  const std::pair<const char*, bool> rows[] = {
      {"shared/ours", true},  {"shared/other", false}, {"theirs/owners", true},
      {"plain/other", true},  {"plain/via", false},    {"shared/dangling", false},
      {"sticky/other", true},
  };
  for (const auto& [name, followed] : rows) {
    for (const WriteRules& rules : kBothTemps) {
      WriteText(dir / "target", "old");
      const std::error_code ec = Replace(dir / name, name, rules);
      EXPECT_EQ(ec, followed ? std::error_code() : UntrustedLinkError()) << name;
      EXPECT_EQ(testing::ReadWhole(dir / "target"), followed ? name : "old") << name;
      EXPECT_EQ(CheckLinks(dir / name), ec) << name;
    }
  }
  EXPECT_FALSE(fs::exists(dir / "missing"));
  EXPECT_EQ(fs::symlink_status(dir / "shared/other").type(), fs::file_type::symlink);
}

// A file the process may not write is refused as the shell's redirection refuses it, though the
// folder would let a rename replace it; root may, as the system says.
TEST(SafeFile, AFileTheProcessMayNotWriteIsNotReplaced) {
  testing::TempDir dir;
  fs::create_directory(dir / "open");
  ::chmod((dir / "open").c_str(), 0777);
  WriteText(dir / "open/ro", "old", 0444);
  WriteText(dir / "open/rw", "old", 0666);
  // As another user: root drops to one in a child of its own.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(100);
    for (const WriteRules& rules : kBothTemps) {
      if (Replace(dir / "open/ro", "new", rules).message() != "Permission denied") ::_exit(101);
      if (Replace(dir / "open/rw", "new", rules)) ::_exit(102);
    }
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(testing::ReadWhole(dir / "open/ro"), "old");
  EXPECT_EQ(testing::ReadWhole(dir / "open/rw"), "new");
  EXPECT_EQ(Entries(dir / "open"), (std::vector<std::string>{"ro", "rw"}));
  if (::geteuid() == 0) {
    EXPECT_FALSE(Replace(dir / "open/ro", "root")) << "root may";
  }
}

const std::string kPng("\x89PNG\r\n\x1a\n", 8);

// What may be replaced, and why the rest may not, whatever its kind; a FIFO is refused without
// waiting for a writer. A link is read where it ends, as ByteReader reads it.
TEST(ReplaceCheck, OnlyNothingAnEmptyFileOrTheSameFormatMayBeReplaced) {
  const testing::TempDir dir;
  const auto write = [](const std::string& bytes) {
    return [bytes](const fs::path& at) { WriteText(at, bytes); };
  };
  const auto linkTo = [&dir](const std::string& target, std::function<void(const fs::path&)> make) {
    return [&dir, target, make](const fs::path& at) {
      if (make) make(dir / target);
      fs::create_symlink(target, at);
    };
  };
  const std::error_code ok;
  const std::error_code directory = std::make_error_code(std::errc::is_a_directory);
  const struct {
    const char* name;
    std::function<void(const fs::path&)> make;  // none: nothing there
    std::error_code expected;
  } cases[] = {
      {"nothing", nullptr, ok},
      {"empty", write(""), ok},
      {"signature alone", write(kPng), ok},
      {"picture", write(kPng + "IHDR and the rest"), ok},
      {"link to a picture", linkTo("p.png", write(kPng + "x")), ok},
      {"dangling link", linkTo("not-yet.png", nullptr), ok},
      {"signature cut short", write(kPng.substr(0, 7)), OtherContentError()},
      {"signature's last byte", write(kPng.substr(0, 7) + "?old"), OtherContentError()},
      {"signature not at the start", write(" " + kPng), OtherContentError()},
      {"capture", write("ModelName = DSX\r\n"), OtherContentError()},
      {"folder", [](const fs::path& at) { fs::create_directory(at); }, directory},
      {"FIFO", [](const fs::path& at) { ASSERT_TRUE(testing::MakeFifo(at)); },
       NotRegularFileError()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path path = dir / c.name;
    if (c.make) c.make(path);
    EXPECT_EQ(ReplaceCheck(path, kPng), c.expected);
  }
  EXPECT_EQ(ReplaceCheck("/dev/null", kPng), NotRegularFileError()) << "a device, never opened";
  EXPECT_EQ(ReplaceCheck(dir / "empty" / "below", kPng),
            std::make_error_code(std::errc::not_a_directory));
  EXPECT_EQ(OtherContentError().message(), "holds something other than this kind of file");
}

// A program started with its standard input closed gets descriptor 0 for the first file it opens.
TEST(UniqueFd, ClosesDescriptorZeroToo) {
  const int saved = ::dup(0);
  ASSERT_GE(saved, 0);
  ::close(0);
  {
    UniqueFd fd;
    fd.reset(::open("/dev/null", O_RDONLY));
    ASSERT_EQ(fd.get(), 0);
  }
  EXPECT_EQ(::fcntl(0, F_GETFD), -1);
  ::dup2(saved, 0);
  ::close(saved);
}

}  // namespace
}  // namespace sondrix

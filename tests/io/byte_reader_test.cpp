#include "io/byte_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

#include "support/special_files.h"
#include "support/temp_dir.h"

namespace sondrix {
namespace {

namespace fs = std::filesystem;

TEST(ByteReader, OpensOnlyARegularFileAndSaysWhyNot) {
  testing::TempDir dir;
  std::ofstream(dir / "file", std::ios::binary) << "abc";
  fs::create_directory(dir / "folder");
  ASSERT_TRUE(testing::MakeFifo(dir / "fifo"));
  fs::create_symlink("fifo", dir / "to-fifo");
  fs::create_symlink("/dev/zero", dir / "to-zero");
  fs::create_symlink("loop", dir / "loop");
  std::vector<std::pair<const char*, std::string>> rows = {
      {"file", ""},
      {"missing", "No such file or directory"},
      {"folder", "Is a directory"},
      {"fifo", "not a regular file"},
      {"to-fifo", "not a regular file"},
      {"to-zero", "not a regular file"},
      {"loop", "Too many levels of symbolic links"},
  };
  if (::geteuid() != 0) {  // root reads whatever the bits say
    std::ofstream(dir / "secret") << "x";
    fs::permissions(dir / "secret", fs::perms::none);
    rows.emplace_back("secret", "Permission denied");
  }
  // A reader that waited for a FIFO's writer would wait for ever: the alarm ends the test.
  ::alarm(30);
  for (const auto& [name, reason] : rows) {
    ByteReader reader;
    const std::error_code error = reader.open(dir / name);
    EXPECT_EQ(error ? error.message() : "", reason) << name;
  }
  ::alarm(0);

  ByteReader reader;
  ASSERT_FALSE(reader.open(dir / "file"));
  std::string bytes(3, '\0');
  EXPECT_EQ(reader.size(), 3);
  EXPECT_TRUE(reader.read(bytes.data(), 3));
  EXPECT_EQ(bytes, "abc");
}

}  // namespace
}  // namespace sondrix

#include "io/replace_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "io/file_kind.h"
#include "support/special_files.h"
#include "support/temp_dir.h"

namespace sondrix {
namespace {

namespace fs = std::filesystem;

const std::string kPng("\x89PNG\r\n\x1a\n", 8);

void WriteText(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// What may be replaced, and why the rest may not, whatever its kind; a FIFO is refused without
// waiting for a writer.
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
      {"signature not at the start", write(" " + kPng), OtherContentError()},
      {"capture", write("ModelName = DSX\r\n"), OtherContentError()},
      {"link to a table", linkTo("t.csv", write("CH1,CH2\r\n")), OtherContentError()},
      {"folder", [](const fs::path& at) { fs::create_directory(at); }, directory},
      {"link to a folder", linkTo("sub", [](const fs::path& at) { fs::create_directory(at); }),
       directory},
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

}  // namespace
}  // namespace sondrix

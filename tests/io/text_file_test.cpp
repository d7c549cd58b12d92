#include "io/text_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "support/temp_dir.h"

namespace sondrix {
namespace {

using Lines = std::vector<std::string>;

TEST(ReadTextLineTest, LineEnds) {
  const std::pair<std::string, Lines> rows[] = {
      {"a,1\r\nb\r\n", {"a,1", "b"}},
      {"a,1\nb", {"a,1", "b"}},            // the last line needs no end
      {"a\rb\n\r\nc\r", {"ab", "", "c"}},  // a CR is dropped wherever it is and ends no line
      {"", {}},
      {std::string("x\0y\n", 4), {std::string("x\0y", 3)}},
      {std::string(kMaxLineChars + 70'000, 'A') + "\r\nnext",
       {std::string(kMaxLineChars, 'A'), "next"}},
  };
  for (const auto& [bytes, expected] : rows) {
    TextFile file = TextFile::fromBytes(bytes);
    Lines lines;
    std::string line;
    while (!file.atEnd()) lines.emplace_back(ReadTextLine(file, line));
    EXPECT_EQ(lines, expected) << bytes.substr(0, 20);
  }
}

TEST(ReadTextLineTest, FilesReadInPiecesLikeBytes) {
  testing::TempDir dir;
  // Longer than the reader's buffer, so lines cross its refills.
  std::string bytes;
  Lines expected;
  for (int i = 0; i < 20'000; ++i) {
    expected.push_back(std::to_string(i) + ",x");
    bytes += expected.back() + "\r\n";
  }
  std::ofstream(dir.path() / "t.txt", std::ios::binary) << bytes;
  TextFile file(dir.path() / "t.txt");
  ASSERT_TRUE(file.isOpen());
  Lines lines;
  std::string line;
  while (!file.atEnd()) lines.emplace_back(ReadTextLine(file, line));
  EXPECT_EQ(lines, expected);
  EXPECT_FALSE(TextFile(dir.path() / "missing.txt").isOpen());
}

}  // namespace
}  // namespace sondrix

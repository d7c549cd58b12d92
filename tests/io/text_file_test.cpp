#include "io/text_file.h"
#include "io/utf8_path.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "support/files.h"

namespace sondrix {
namespace {

using Lines = std::vector<std::string>;

// Files are read in pieces; the last two texts outgrow the buffer, so lines cross its refills.
TEST(ReadTextLineTest, LineEndsInMemoryAndInFiles) {
  std::string many;
  Lines manyLines;
  for (int i = 0; i < 20'000; ++i) {
    manyLines.push_back(std::to_string(i) + ",x");
    many += manyLines.back() + "\r\n";
  }
  const std::pair<std::string, Lines> rows[] = {
      {"a,1\r\nb\r\n", {"a,1", "b"}},
      {"a,1\nb", {"a,1", "b"}},            // the last line needs no end
      {"a\rb\n\r\nc\r", {"ab", "", "c"}},  // a CR is dropped wherever it is and ends no line
      {"", {}},
      {std::string("x\0y\n", 4), {std::string("x\0y", 3)}},
      {std::string(kMaxLineChars + 70'000, 'A') + "\r\nnext",
       {std::string(kMaxLineChars, 'A'), "next"}},
      {many, manyLines},
  };
  const auto read = [](TextFile file) {
    Lines lines;
    std::string line;
    while (!file.atEnd()) lines.emplace_back(ReadTextLine(file, line));
    return lines;
  };
  testing::TempDir dir;
  for (const auto& [bytes, expected] : rows) {
    std::ofstream(dir.path() / "t.txt", std::ios::binary) << bytes;
    EXPECT_EQ(read(TextFile::fromBytes(bytes)), expected) << bytes.substr(0, 20);
    EXPECT_EQ(read(TextFile(dir.path() / "t.txt")), expected) << bytes.substr(0, 20);
  }
  EXPECT_TRUE(TextFile(dir.path() / "t.txt").isOpen());
  EXPECT_FALSE(TextFile(dir.path() / "missing.txt").isOpen());
}

TEST(Utf8Path, NamesSurviveTheWayToTheFileSystemAndBack) {
  const std::string names[] = {"plain.csv", "測定_01.WFM", "測定 フォルダ/測定_01.WFM", ""};
  for (const std::string& name : names) EXPECT_EQ(Utf8Path(PathFromUtf8(name)), name);
  EXPECT_EQ(Utf8Path(PathFromUtf8("測定 フォルダ/測定_01.WFM").filename()), "測定_01.WFM");
#ifdef _WIN32
  EXPECT_EQ(PathFromUtf8("測定_01.WFM").native(), L"\u6e2c\u5b9a_01.WFM");
  EXPECT_EQ(PathFromUtf8("a\xff.csv").native(), L"a\ufffd.csv") << "malformed UTF-8";
#else
  EXPECT_EQ(Utf8Path(PathFromUtf8("a\xff.csv")), "a\xff.csv") << "a name is its bytes";
#endif
  // The file system lists the file under the name it was written with.
  testing::TempDir dir;
  std::ofstream(dir.path() / PathFromUtf8("測定_01.WFM")) << "x";
  const std::filesystem::directory_iterator listed(dir.path());
  ASSERT_NE(listed, std::filesystem::directory_iterator());
  EXPECT_EQ(Utf8Path(listed->path().filename()), "測定_01.WFM");
}

}  // namespace
}  // namespace sondrix

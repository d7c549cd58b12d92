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

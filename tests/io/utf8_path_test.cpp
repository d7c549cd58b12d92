#include "io/utf8_path.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/temp_dir.h"

namespace sondrix {
namespace {

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

#include <gtest/gtest.h>

#include "app/resume_file.h"
#include "app/split_path.h"
#include "synth/wfm_writer.h"
#include "support/read_file.h"
#include "support/temp_dir.h"

namespace sondrix {
namespace {

TEST(ResumeFile, NumbersAndBooleansReadBackAsWritten) {
  EXPECT_EQ(ResumeNumber(0), " 0 ");
  EXPECT_EQ(ResumeNumber(-32768), "-32768 ");
  EXPECT_EQ(ResumeInt32(ResumeNumber(-32768)), -32768);
  EXPECT_EQ(ResumeInt16(" 32768 "), std::nullopt);
  EXPECT_EQ(ResumeBoolValue(ResumeBool(true)), true);
  EXPECT_EQ(ResumeBoolValue(ResumeBool(false)), false);
  EXPECT_EQ(ResumeBoolValue(" tRuE "), true);
  EXPECT_EQ(ResumeBoolValue("-1"), true);
  EXPECT_EQ(ResumeBoolValue("yes"), std::nullopt);
}

TEST(ResumeFile, LinesKeepTheirBlanksAndAnyLineEnd) {
  testing::TempDir dir;
  const QString path = QString::fromStdString((dir / "r.txt").string());
  // A line break inside a text would shift every later value: it is written as a blank.
  ASSERT_EQ(WriteResumeLines(path, {"  a, b ", "", "Ｘ軸", "x\ny\r"}), 0);
  EXPECT_EQ(testing::ReadWhole(dir / "r.txt"), "  a, b \r\n\r\nＸ軸\r\nx y \r\n");
  EXPECT_EQ(ReadResumeLines(path), (QStringList{"  a, b ", "", "Ｘ軸", "x y "}));

  synth::WriteBytes(dir / "mixed.txt", "1\n2\r3\r\n4");
  EXPECT_EQ(ReadResumeLines(QString::fromStdString((dir / "mixed.txt").string())),
            (QStringList{"1", "2", "3", "4"}));
  EXPECT_EQ(ReadResumeLines(QString::fromStdString((dir / "none.txt").string())), std::nullopt);
}

TEST(SplitPath, SplitsAtTheLastSeparatorOnly) {
  QString folder = "old";
  QString name = "kept";
  SplitPath("bare.csv", folder, name);
  EXPECT_EQ(folder, "old");
  EXPECT_EQ(name, "kept");
  SplitPath("/a/b.csv", folder, name);
  EXPECT_EQ(folder, "/a");
  EXPECT_EQ(name, "b.csv");
  SplitPath("/a/", folder, name);
  EXPECT_EQ(folder, "/a");
  EXPECT_EQ(name, "");
  EXPECT_EQ(JoinPath("/", "x"), "/x");
  EXPECT_EQ(JoinPath("/a", "x"), "/a/x");
}

}  // namespace
}  // namespace sondrix

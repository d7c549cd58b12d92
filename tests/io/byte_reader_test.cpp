#include "io/byte_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/files.h"

namespace sondrix {
namespace {

// Reads and skips that start in the buffer and end beyond it keep the offset and the bytes in
// step with the file, and nothing is read past its end.
TEST(ByteReader, ReadsAndSkipsAcrossItsBufferInStepWithTheFile) {
  const testing::TempDir dir;
  std::string bytes = "head\n";
  for (int i = 0; bytes.size() < 300'000; ++i) bytes += static_cast<char>('a' + i % 26);
  std::ofstream(dir / "f", std::ios::binary) << bytes;
  ByteReader reader;
  ASSERT_FALSE(reader.open(dir / "f"));
  std::string line;
  ASSERT_EQ(reader.readLine(line, 10), ByteReader::LineRead::Line);
  std::string got(3, '\0');
  EXPECT_TRUE(reader.read(got.data(), 0));
  ASSERT_TRUE(reader.skip(150'000));
  ASSERT_TRUE(reader.read(got.data(), 3));
  EXPECT_EQ(got, bytes.substr(150'005, 3));
  EXPECT_EQ(reader.offset(), 150'008);
  EXPECT_FALSE(reader.skip(reader.remaining() + 1));
  ASSERT_TRUE(reader.skip(reader.remaining() - 3));
  ASSERT_TRUE(reader.read(got.data(), 3));
  EXPECT_EQ(got, bytes.substr(bytes.size() - 3));
  EXPECT_FALSE(reader.read(got.data(), 1));
  EXPECT_EQ(reader.offset(), std::ssize(bytes));
}

}  // namespace
}  // namespace sondrix

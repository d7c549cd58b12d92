#include "io/line_blocks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sondrix {
namespace {

// A line past kMaxLineChars keeps its first kMaxLineChars bytes however the blocks cut it, and the
// lines after it read whole: the rest of it, its CR included, is read past up to its LF.
TEST(LineBlocksTest, AnOverlongLineIsCutAndTheLinesAfterItReadWhole) {
  std::string text = std::string(kMaxLineChars + 5000, 'a') + "\r";
  std::vector<std::string> lines = {std::string(kMaxLineChars, 'a')};
  for (int k = 0; k < 400; ++k) {  // past a few more blocks
    lines.push_back("line " + std::to_string(k));
    text += "\n" + lines.back();
  }
  for (const std::size_t size : {std::size_t{999}, std::size_t{1} << 20, kMaxLineChars + 7}) {
    TextFile file = TextFile::fromBytes(text);
    LineBlocks blocks;
    LineBlock block;
    std::vector<std::string> read;
    std::string scratch;
    for (blocks.next(file, size, block); !block.empty(); blocks.next(file, size, block)) {
      EXPECT_LE(block.size(), kMaxLineChars + size);
      for (const char* at = block.data(); at < block.data() + block.size();) {
        read.emplace_back(NextBlockLine(at, block.data() + block.size(), scratch));
      }
    }
    EXPECT_TRUE(read == lines) << "blocks of " << size;
  }
}

}  // namespace
}  // namespace sondrix

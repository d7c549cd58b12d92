#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "io/text_file.h"
#include "model/sample_allocator.h"

namespace sondrix {

// The rest of a text file in blocks of whole lines, so that the lines of one block can be split
// and read on other threads while the next block is read. A block is the bytes as they are (CRs
// included), ending just after an LF or at the end of the file.
// A block's bytes. Growing it leaves the new bytes unset: the file's bytes are read over them
// next, and a long file's blocks would otherwise be cleared, byte for byte, before each read.
using LineBlock = std::vector<char, SampleAllocator<char>>;

class LineBlocks {
 public:
  // The next block into `block`: about `size` bytes read (at least 1), extended to the end of a
  // line. A line that runs past kMaxLineChars keeps only its first kMaxLineChars bytes, so a block
  // holds at most kMaxLineChars + `size` bytes however long the lines. Empty at the end.
  void next(TextFile& file, std::size_t size, LineBlock& block);

 private:
  std::vector<char> carried_;  // a line begun in the last block and not yet ended
  bool skipping_ = false;      // the carried line is at kMaxLineChars: the rest up to its LF goes
};

// The line at `at` in a block (without its LF) as ReadTextLine delivers it, and where the next
// begins: its first kMaxLineChars bytes with every CR dropped. A line that holds a CR before its
// end is copied into `scratch`; the others are views into the block.
std::string_view NextBlockLine(const char*& at, const char* end, std::string& scratch);

}  // namespace sondrix

#include "io/line_blocks.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

namespace sondrix {

void LineBlocks::next(TextFile& file, std::size_t size, LineBlock& block) {
  // Into the block's own storage, which stays from call to call: fresh memory for every block
  // would cost a page fault every few kilobytes.
  block.assign(carried_.begin(), carried_.end());
  carried_.clear();
  for (;;) {
    // No more room than the file has left, however large the blocks asked for.
    const auto left = static_cast<std::uint64_t>(std::max<std::int64_t>(file.remaining(), 0));
    const std::size_t step =
        std::max<std::size_t>(static_cast<std::size_t>(std::min<std::uint64_t>(size, left)), 1);
    const std::size_t old = block.size();
    block.resize(old + step);
    const std::size_t got = ReadTextBytes(file, block.data() + old, step);
    block.resize(old + got);
    if (got == 0) return;  // the last line needs no end
    const char* fresh = block.data() + old;
    if (skipping_) {
      const auto* lf = static_cast<const char*>(std::memchr(fresh, '\n', got));
      const std::size_t dropped = lf ? static_cast<std::size_t>(lf - fresh) : got;
      block.erase(block.begin() + static_cast<std::ptrdiff_t>(old),
                  block.begin() + static_cast<std::ptrdiff_t>(old + dropped));
      if (!lf) continue;
      skipping_ = false;
    }
    // Only the fresh bytes can hold an LF: what came before is one unfinished line.
    const std::size_t freshCount = block.size() - old;
    const char* last = nullptr;
    for (std::size_t k = freshCount; k > 0 && !last; --k) {
      if (block[old + k - 1] == '\n') last = block.data() + old + k - 1;
    }
    if (last) {
      const auto end = static_cast<std::size_t>(last - block.data()) + 1;
      carried_.assign(block.begin() + static_cast<std::ptrdiff_t>(end), block.end());
      block.resize(end);
      return;
    }
    if (block.size() > kMaxLineChars) {
      block.resize(kMaxLineChars);
      skipping_ = true;
    }
  }
}

std::string_view NextBlockLine(const char*& at, const char* end, std::string& scratch) {
  const auto* lf =
      static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
  const char* lineEnd = lf ? lf : end;
  std::string_view line(at, std::min(static_cast<std::size_t>(lineEnd - at), kMaxLineChars));
  at = lf ? lf + 1 : end;
  if (line.ends_with('\r')) line.remove_suffix(1);
  if (std::memchr(line.data(), '\r', line.size()) == nullptr) return line;
  scratch.assign(line);
  std::erase(scratch, '\r');
  return scratch;
}

}  // namespace sondrix

#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "model/sample_allocator.h"

namespace sondrix {

// The volts field of every 16-bit count of each column, made once: a long record holds many more
// samples than there are counts, and copying a made field costs a fraction of formatting the
// number again. The field is a comma and FormatScientific's text. Fields are made in blocks of
// 256 counts when a piece of lines first needs them, since a record often spans a part of the
// counts only. Threads may prepare and write from one table at once.
class CountTexts {
 public:
  // The volts of `count` in value column `column`; asked from the threads that prepare.
  using VoltsOf = std::function<float(int column, std::int16_t count)>;

  // Bytes a write may set at `out`, past the text it leaves there.
  static constexpr std::size_t kWriteRoom = 16;

  CountTexts(int columns, int decimals, VoltsOf volts);

  // Makes the fields of counts `least` to `greatest` of `column` (below the constructor's
  // `columns`), those not made yet, and waits for any that another thread is making: from then
  // on this thread may write them.
  void prepare(int column, std::int16_t least, std::int16_t greatest);

  // Asks the memory for the field of `count` in `column`, which this thread will write soon: the
  // fields of noisy samples lie all over the table, further away than the caches reach.
  void prefetch(int column, std::int16_t count) const {
    __builtin_prefetch(
        &entries_[static_cast<std::size_t>(column) * kCounts + static_cast<std::uint16_t>(count)]);
  }

  // Writes the field of `count` in `column`, which this thread has prepared, and returns its
  // end; up to kWriteRoom bytes from `out` may be set.
  char* writeField(char* out, int column, std::int16_t count) const {
    const Entry& entry =
        entries_[static_cast<std::size_t>(column) * kCounts + static_cast<std::uint16_t>(count)];
    std::memcpy(out, &entry, sizeof entry);
    return out + entry.size;
  }

 private:
  static constexpr std::size_t kCounts = std::size_t{1} << 16;
  static constexpr std::size_t kBlockCounts = 256;
  static constexpr std::size_t kBlocks = kCounts / kBlockCounts;
  // The longest field of a float with up to six decimals is 14 characters (",-1.401298e-45");
  // the last byte holds the length.
  struct Entry {
    std::array<char, kWriteRoom - 1> text;
    std::uint8_t size;
  };
  static_assert(sizeof(Entry) == kWriteRoom);
  enum BlockState : std::uint8_t { kUnmade, kMaking, kMade };

  // Sets the entries of block `block` (of all the columns' blocks).
  void make(std::size_t block);

  int decimals_;
  VoltsOf volts_;
  // On 2 MB pages, unset until their block is made.
  std::vector<Entry, SampleAllocator<Entry>> entries_;
  std::unique_ptr<std::atomic<std::uint8_t>[]> blocks_;
  // A thread that needs a block another is making waits here. Not std::atomic::wait: the MinGW
  // build's library can miss its notify and wait for ever.
  std::mutex madeLock_;
  std::condition_variable made_;
};

}  // namespace sondrix

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

#include "model/sample_allocator.h"

namespace sondrix {

// The volts field of every 16-bit count of each column, made once: a long record holds many more
// samples than there are counts, and copying a made field costs a fraction of formatting the
// number again. The field is a comma and FormatScientific's text. Threads may write from one
// table at once.
class CountTexts {
 public:
  // The volts of `count` in value column `column`.
  using VoltsOf = std::function<float(int column, std::int16_t count)>;

  // Bytes a write may set at `out`, past the text it leaves there.
  static constexpr std::size_t kWriteRoom = 16;

  // `volts` is asked from up to `threads` threads at once.
  CountTexts(int columns, int decimals, const VoltsOf& volts, int threads = 1);

  // Writes the field of `count` in `column` (below the constructor's `columns`) and returns its
  // end; up to kWriteRoom bytes from `out` may be set.
  char* writeField(char* out, int column, std::int16_t count) const {
    const Entry& entry =
        entries_[static_cast<std::size_t>(column) * kCounts + static_cast<std::uint16_t>(count)];
    std::memcpy(out, &entry, sizeof entry);
    return out + entry.size;
  }

 private:
  static constexpr std::size_t kCounts = std::size_t{1} << 16;
  static constexpr int kMaxThreads = 64;
  // The longest field of a float with up to six decimals is 14 characters (",-1.401298e-45");
  // the last byte holds the length.
  struct Entry {
    std::array<char, kWriteRoom - 1> text;
    std::uint8_t size;
  };
  static_assert(sizeof(Entry) == kWriteRoom);

  // Sets entries [first, last).
  void make(std::size_t first, std::size_t last, int decimals, const VoltsOf& volts);

  // On 2 MB pages; the constructor sets every entry.
  std::vector<Entry, SampleAllocator<Entry>> entries_;
};

}  // namespace sondrix

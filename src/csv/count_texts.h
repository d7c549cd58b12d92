#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

#include "model/sample_allocator.h"

namespace sondrix {

// The volts text of every 16-bit count of each column, made once: a long record holds many more
// samples than there are counts, and copying a made text costs a fraction of formatting the
// number again. The text is FormatScientific's. Threads may write from one table at once.
class CountTexts {
 public:
  // The volts of `count` in value column `column`.
  using VoltsOf = std::function<float(int column, std::int16_t count)>;

  // Bytes a write may set at `out`, past the text it leaves there.
  static constexpr std::size_t kWriteRoom = 16;

  CountTexts(int columns, int decimals, const VoltsOf& volts);

  // Writes the text of `count` in `column` (below the constructor's `columns`) and returns its
  // end; up to kWriteRoom bytes from `out` may be set.
  char* write(char* out, int column, std::int16_t count) const {
    const Entry& entry =
        entries_[static_cast<std::size_t>(column) * kCounts + static_cast<std::uint16_t>(count)];
    std::memcpy(out, &entry, sizeof entry);
    return out + entry.size;
  }

 private:
  static constexpr std::size_t kCounts = std::size_t{1} << 16;
  // The longest text of a float with up to six decimals is 13 characters ("-1.401298e-45"); the
  // last byte holds the length.
  struct Entry {
    std::array<char, kWriteRoom - 1> text;
    std::uint8_t size;
  };
  static_assert(sizeof(Entry) == kWriteRoom);

  // On 2 MB pages; the constructor sets every entry.
  std::vector<Entry, SampleAllocator<Entry>> entries_;
};

}  // namespace sondrix

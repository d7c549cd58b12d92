#include "csv/count_texts.h"

#include <algorithm>
#include <utility>

#include "numtext/sci_format.h"

namespace sondrix {

CountTexts::CountTexts(int columns, int decimals, VoltsOf volts)
    : decimals_(std::clamp(decimals, 0, kTimeDecimals)),
      volts_(std::move(volts)),
      entries_(static_cast<std::size_t>(std::max(columns, 0)) * kCounts),
      blocks_(std::make_unique<std::atomic<std::uint8_t>[]>(entries_.size() / kBlockCounts)) {}

void CountTexts::prepare(int column, std::int16_t least, std::int16_t greatest) {
  // A block's number within its column is its counts' upper byte, as the entries are indexed.
  const std::size_t first = static_cast<std::size_t>(column) * kBlocks;
  for (int upper = least >> 8; upper <= greatest >> 8; ++upper) {
    std::atomic<std::uint8_t>& state = blocks_[first + static_cast<std::uint8_t>(upper)];
    std::uint8_t seen = state.load(std::memory_order_acquire);
    if (seen == kUnmade &&
        state.compare_exchange_strong(seen, kMaking, std::memory_order_acquire)) {
      make(first + static_cast<std::uint8_t>(upper));
      state.store(kMade, std::memory_order_release);
      // Taken once after the store: a waiter that saw the block unmade is then waiting.
      { const std::scoped_lock hold(madeLock_); }
      made_.notify_all();
      continue;
    }
    if (seen != kMade) {
      std::unique_lock hold(madeLock_);
      made_.wait(hold, [&state] { return state.load(std::memory_order_acquire) == kMade; });
    }
  }
}

void CountTexts::make(std::size_t block) {
  const auto column = static_cast<int>(block / kBlocks);
  for (std::size_t at = block * kBlockCounts; at < (block + 1) * kBlockCounts; ++at) {
    const auto count = static_cast<std::int16_t>(static_cast<std::uint16_t>(at % kCounts));
    std::array<char, kSciMaxChars + 1> text{','};
    const char* end = FormatScientific(text.data() + 1, volts_(column, count), decimals_);
    // A float's field always fits (see Entry): the bound only keeps a formatter fault in the entry.
    const auto size = std::min(static_cast<std::size_t>(end - text.data()), kWriteRoom - 1);
    Entry& entry = entries_[at];
    std::copy_n(text.data(), size, entry.text.data());
    entry.size = static_cast<std::uint8_t>(size);
  }
}

}  // namespace sondrix

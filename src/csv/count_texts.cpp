#include "csv/count_texts.h"

#include <algorithm>
#include <new>
#include <system_error>
#include <thread>

#include "numtext/sci_format.h"

namespace sondrix {

CountTexts::CountTexts(int columns, int decimals, const VoltsOf& volts, int threads)
    : entries_(static_cast<std::size_t>(std::max(columns, 0)) * kCounts) {
  decimals = std::clamp(decimals, 0, kTimeDecimals);
  // The table comes before the first line of the file: every core makes a share of it.
  const auto shares = static_cast<std::size_t>(std::clamp(threads, 1, kMaxThreads));
  std::vector<std::jthread> helpers;
  for (std::size_t share = 1; share < shares; ++share) {
    const std::size_t first = entries_.size() * share / shares;
    const std::size_t last = entries_.size() * (share + 1) / shares;
    try {
      helpers.emplace_back([=, this, &volts] { make(first, last, decimals, volts); });
    } catch (const std::system_error&) {
      make(first, last, decimals, volts);  // no thread to be had: this one makes that share too
    } catch (const std::bad_alloc&) {
      make(first, last, decimals, volts);
    }
  }
  make(0, entries_.size() / shares, decimals, volts);
}

void CountTexts::make(std::size_t first, std::size_t last, int decimals, const VoltsOf& volts) {
  for (std::size_t at = first; at < last; ++at) {
    const auto column = static_cast<int>(at / kCounts);
    const auto count = static_cast<std::int16_t>(static_cast<std::uint16_t>(at % kCounts));
    std::array<char, kSciMaxChars + 1> text{','};
    const char* end = FormatScientific(text.data() + 1, volts(column, count), decimals);
    // A float's field always fits (see Entry): the bound only keeps a formatter fault in the entry.
    const auto size = std::min(static_cast<std::size_t>(end - text.data()), kWriteRoom - 1);
    Entry& entry = entries_[at];
    std::copy_n(text.data(), size, entry.text.data());
    entry.size = static_cast<std::uint8_t>(size);
  }
}

}  // namespace sondrix

#include "csv/count_texts.h"

#include <algorithm>

#include "numtext/sci_format.h"

namespace sondrix {

CountTexts::CountTexts(int columns, int decimals, const VoltsOf& volts)
    : entries_(static_cast<std::size_t>(std::max(columns, 0)) * kCounts) {
  decimals = std::clamp(decimals, 0, kTimeDecimals);
  for (std::size_t at = 0; at < entries_.size(); ++at) {
    const auto column = static_cast<int>(at / kCounts);
    const auto count = static_cast<std::int16_t>(static_cast<std::uint16_t>(at % kCounts));
    std::array<char, kSciMaxChars> text{};
    const char* end = FormatScientific(text.data(), volts(column, count), decimals);
    // A float's text always fits (see Entry): the bound only keeps a formatter fault in the entry.
    const auto size = std::min(static_cast<std::size_t>(end - text.data()), kWriteRoom - 1);
    Entry& entry = entries_[at];
    std::copy_n(text.data(), size, entry.text.data());
    entry.size = static_cast<std::uint8_t>(size);
  }
}

}  // namespace sondrix

#include "csv/field_table.h"

#include <cstddef>
#include <cstring>

namespace sondrix {
namespace {

std::int16_t giveUp(FieldTable& item) {
  item[0].clear();
  item[1].clear();
  return 2;
}

}  // namespace

std::int16_t Get_Items(std::string_view strl, FieldTable& item) {
  if (strl.size() > kMaxSplitChars) return giveUp(item);
  // Lines from ReadTextLine carry no CR or LF; only other callers pay for dropping them.
  const bool hasLineEnds = !strl.empty() && (std::memchr(strl.data(), '\r', strl.size()) ||
                                             std::memchr(strl.data(), '\n', strl.size()));
  std::size_t slot = 0;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = strl.find(',', start);
    if (slot == item.size()) return giveUp(item);
    std::string& field = item[slot++];
    field.assign(strl.substr(start, comma == std::string_view::npos ? comma : comma - start));
    if (hasLineEnds) std::erase_if(field, [](char c) { return c == '\r' || c == '\n'; });
    if (comma == std::string_view::npos) return static_cast<std::int16_t>(slot);
    start = comma + 1;
  }
}

}  // namespace sondrix

#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace sondrix {

// The fields of one line; slots beyond a line's field count keep what an earlier line left.
inline constexpr int kFieldSlots = 11;
using FieldTable = std::array<std::string, kFieldSlots>;

// Longest line the split takes apart; a longer one is treated like one with too many fields.
inline constexpr std::size_t kMaxSplitChars = 32'767;

// Splits at every comma (quotes mean nothing, fields are not trimmed, CR and LF are dropped) and
// returns the field count. A line of more than 11 fields empties slots 0 and 1 and returns 2,
// with slots 2 to 10 holding its fields 2 to 10; a line longer than 32,767 characters does the
// same without storing any field, so slots 2 to 10 keep the earlier lines' fields. The slots
// reuse their storage, so a split allocates nothing once the fields have been that long before.
std::int16_t Get_Items(std::string_view strl, FieldTable& item);

}  // namespace sondrix

#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "numtext/fixed_decimal.h"

namespace sondrix {

// The number at the start of a text, as the instrument's header values and the window's text
// boxes are read: blanks skipped, then an optional sign, digits, a decimal point and an
// exponent; reading stops at the first character that does not fit.
struct LeadingNumber {
  double value = 0.0;      // 0 when the text holds no number; +-infinity when it overflows
  bool overflow = false;   // the number is beyond the range of a 64-bit float
  std::size_t length = 0;  // characters used, leading blanks included; 0 when no number
};

LeadingNumber ParseLeadingNumber(std::string_view text);

// `Val`: the leading number, 0 when there is none. Never fails; an overflowing number gives
// +-infinity, which every checked narrowing below then refuses.
double Val(std::string_view text);

// `Val` for callers where an overflowing number is an error of the input.
std::optional<double> ValChecked(std::string_view text);

// The strict conversion of a whole text: blanks around the number are allowed, anything else
// (an empty text, trailing letters, an overflowing number, "inf", "nan") fails.
std::optional<double> ParseStrict(std::string_view text);

// ParseStrict, then NarrowToFloat: fails also beyond the float range. The plain forms of the
// instrument's data ("-1.2346E-01", "0.5") go straight through from_chars and give the same
// float as the two steps, at a fraction of the cost; every other text takes the two steps.
std::optional<float> ParseStrictFloat(std::string_view text);
// The same into `result` (left as it was on failure), for loops over many numbers: false when
// the text does not convert.
bool ParseStrictFloat(std::string_view text, float& result);
// The field at the start of `text`, up to the first comma or the text's end, when it holds a
// plain number of the data ("-1.2346e-01", "5.0000e-1", ".0000e0"): as ParseStrictFloat reads
// that field, with `length` its characters. False, changing nothing, for any other field, which
// the caller then finds and reads as a whole: a field splitter need not look for a comma first.
// Inline for the data's fixed form, which a long record holds millions of.
bool ParseShortField(std::string_view text, std::size_t& length, float& result);
inline bool ParseFloatField(std::string_view text, std::size_t& length, float& result) {
  double value = 0.0;
  const char* const end = text.data() + text.size();
  const char* const stop = ReadFixedDecimal(text.data(), end, value);
  if (stop == nullptr || (stop != end && *stop != ','))
    return ParseShortField(text, length, result);
  length = static_cast<std::size_t>(stop - text.data());
  result = static_cast<float>(value);
  return true;
}

}  // namespace sondrix

#pragma once

#include <optional>
#include <string_view>

namespace sondrix {

// A volts or offset text of the setup header (upper-cased by the caller), such as "500MV",
// "2.00V" or "5KV": an optional unit letter A, V, W or C at the end, "M" for milli (there is no
// mega), "K" for kilo. A text without a number gives 0. Fails only when the number does not fit
// a 32-bit float.
std::optional<float> UnitValue(std::string_view text);

// The offset lines read their value exactly as the volts lines do.
inline std::optional<float> OffsetValue(std::string_view text) { return UnitValue(text); }

// The whole upper-cased, trimmed "TIME/DIV" line, value from column 11, in seconds. The
// prefixes are tested in the order MS, US, NS, PS (not by position). Fails when the prefix sits
// before column 11 or the number overflows.
std::optional<double> TimeDivValue(std::string_view line);

}  // namespace sondrix

#include "wfm/header_values.h"

#include <array>

#include "numtext/leading_number.h"
#include "numtext/rounding.h"
#include "numtext/substrings.h"

namespace sondrix {

std::optional<float> UnitValue(std::string_view text) {
  if (!text.empty()) {
    const char last = text.back();
    if (last == 'A' || last == 'V' || last == 'W' || last == 'C') text.remove_suffix(1);
  }
  std::optional<double> value;
  if (const std::size_t milli = text.find('M'); milli != std::string_view::npos) {
    value = ValChecked(text.substr(0, milli));
    if (value) *value /= 1000.0;
  } else if (const std::size_t kilo = text.find('K'); kilo != std::string_view::npos) {
    value = ValChecked(text.substr(0, kilo));
    if (value) *value *= 1000.0;
  } else {
    value = ValChecked(text);
  }
  if (!value) return std::nullopt;
  return NarrowToFloat(*value);
}

std::optional<double> TimeDivValue(std::string_view line) {
  struct Prefix {
    std::string_view text;
    double divisor;
  };
  static constexpr std::array<Prefix, 4> prefixes{
      {{"MS", 1e3}, {"US", 1e6}, {"NS", 1e9}, {"PS", 1e12}}};
  constexpr std::int64_t valueColumn = 11;
  for (const Prefix& prefix : prefixes) {
    const std::int64_t at = InStr(line, prefix.text);
    if (at == 0) continue;
    const auto number = Mid(line, valueColumn, at - valueColumn);
    if (!number) return std::nullopt;
    const auto value = ValChecked(*number);
    if (!value) return std::nullopt;
    return *value / prefix.divisor;
  }
  const auto number = Mid(line, valueColumn, static_cast<std::int64_t>(line.size()) - 10);
  if (!number) return std::nullopt;
  return ValChecked(*number);
}

}  // namespace sondrix

#include "csv/csv_name.h"

#include "numtext/substrings.h"

namespace sondrix {

std::string CsvNameForWfm(std::string_view name) {
  const std::int64_t p = InStr(UCase(name), ".WFM");
  if (p <= 1) return std::string(name) + ".CSV";
  return std::string(name.substr(0, static_cast<std::size_t>(p - 1))) + ".CSV";
}

}  // namespace sondrix

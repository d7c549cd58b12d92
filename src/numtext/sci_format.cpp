#include "numtext/sci_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

namespace sondrix {

char* FormatScientific(char* out, double value, int decimals) {
  decimals = std::clamp(decimals, 0, kTimeDecimals);
  if (value == 0.0) {  // both zeros: no digit before the point, exponent 0
    *out++ = '.';
    std::memset(out, '0', static_cast<std::size_t>(decimals));
    out += decimals;
    std::memcpy(out, "e0", 2);
    return out + 2;
  }
  // to_chars gives d.ddddde+XX (or inf/nan); the exponent is rewritten without '+' and zeros.
  std::array<char, kSciMaxChars> raw{};
  const auto [end, ec] = std::to_chars(raw.data(), raw.data() + raw.size(), value,
                                       std::chars_format::scientific, decimals);
  if (ec != std::errc{}) return out;
  const char* rawEnd = end;
  const char* e = std::find(static_cast<const char*>(raw.data()), rawEnd, 'e');
  out = std::copy(static_cast<const char*>(raw.data()), e, out);
  if (e == rawEnd) return out;  // inf or nan carry no exponent
  *out++ = 'e';
  const char* p = e + 1;
  if (*p == '-') *out++ = '-';
  if (*p == '+' || *p == '-') ++p;
  while (p + 1 < rawEnd && *p == '0') ++p;
  return std::copy(p, rawEnd, out);
}

std::string FormatScientific(double value, int decimals) {
  std::array<char, kSciMaxChars> buffer{};
  char* end = FormatScientific(buffer.data(), value, decimals);
  return std::string(buffer.data(), end);
}

}  // namespace sondrix

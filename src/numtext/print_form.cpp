#include "numtext/print_form.h"

#include <array>
#include <charconv>

namespace sondrix {
namespace {

template <typename T>
std::string printForm(T value) {
  if (value == 0) value = 0;  // a negative zero prints as 0
  std::array<char, 64> buffer{};
  char* out = buffer.data();
  if (!(value < 0)) *out++ = ' ';  // a not-negative value (and not-a-number) gets its blank
  const auto [end, ec] = std::to_chars(out, buffer.data() + buffer.size() - 1, value);
  out = ec == std::errc{} ? end : out;
  *out++ = ' ';
  return std::string(buffer.data(), out);
}

}  // namespace

std::string PrintForm(double value) { return printForm(value); }
std::string PrintForm(float value) { return printForm(value); }
std::string PrintForm(std::int32_t value) { return printForm(value); }

}  // namespace sondrix

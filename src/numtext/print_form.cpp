#include "numtext/print_form.h"

#include <array>
#include <charconv>

namespace sondrix {
namespace {

template <typename T>
std::string decimalText(T value) {
  std::array<char, 64> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return ec == std::errc{} ? std::string(buffer.data(), end) : std::string();
}

template <typename T>
std::string printForm(T value) {
  if (value == 0) value = 0;  // a negative zero prints as 0
  // A not-negative value gets a blank where a minus sign would stand.
  return (value < 0 ? "" : " ") + decimalText(value) + " ";
}

}  // namespace

std::string DecimalText(double value) { return decimalText(value); }
std::string DecimalText(float value) { return decimalText(value); }
std::string DecimalText(std::int32_t value) { return decimalText(value); }

std::string PrintForm(double value) { return printForm(value); }
std::string PrintForm(float value) { return printForm(value); }
std::string PrintForm(std::int32_t value) { return printForm(value); }

}  // namespace sondrix

#include "numtext/print_form.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

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
  std::string text(value < 0 ? "" : " ");
  text.append(decimalText(value));
  text.push_back(' ');
  return text;
}

}  // namespace

std::string NumberText(double value) {
  if (!std::isfinite(value)) return decimalText(value);
  std::array<char, 64> buffer{};
  char* const first = buffer.data();
  char* const last = first + buffer.size();
  const auto rounded = std::to_chars(first, last, value, std::chars_format::scientific, 14);
  double fifteenDigits = value;
  // Near the largest double the rounded digits may lie beyond it; the value's own digits serve.
  if (std::from_chars(first, rounded.ptr, fifteenDigits).ec != std::errc{}) fifteenDigits = value;
  if (fifteenDigits == 0.0) return "0";  // a negative zero too

  // The shortest digits in scientific form ("-1.5e+06"), laid out again without the exponent.
  const auto shortest = std::to_chars(first, last, fifteenDigits, std::chars_format::scientific);
  const std::string_view sci(first, static_cast<std::size_t>(shortest.ptr - first));
  const std::size_t e = sci.find('e');
  int exponent = 0;
  std::from_chars(sci.data() + e + (sci[e + 1] == '+' ? 2 : 1), sci.data() + sci.size(), exponent);
  std::string digits;
  for (char c : sci.substr(0, e)) {
    if (c >= '0' && c <= '9') digits += c;
  }
  // digits[0] stands at 10^exponent.
  std::string text;
  if (fifteenDigits < 0) text.push_back('-');
  const int count = static_cast<int>(digits.size());
  if (exponent < 0) {
    text.append("0.");
    text.append(static_cast<std::size_t>(-exponent - 1), '0');
    text += digits;
  } else if (exponent + 1 >= count) {
    text += digits;
    const int zeros = exponent + 1 - count;
    text.append(static_cast<std::size_t>(zeros), '0');
  } else {
    const auto point = static_cast<std::size_t>(exponent) + 1;  // exponent >= 0 here
    text.append(digits, 0, point);
    text.push_back('.');
    text.append(digits, point);
  }
  return text;
}

std::string DecimalText(double value) { return decimalText(value); }
std::string DecimalText(float value) { return decimalText(value); }
std::string DecimalText(std::int32_t value) { return decimalText(value); }

std::string PrintForm(double value) { return printForm(value); }
std::string PrintForm(float value) { return printForm(value); }
std::string PrintForm(std::int32_t value) { return printForm(value); }

}  // namespace sondrix

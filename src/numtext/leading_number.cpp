#include "numtext/leading_number.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "numtext/rounding.h"

namespace sondrix {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The shape of a decimal number at the start of `text` (no blanks): sign, digits, point,
// exponent. `end` is where the number stops; `mantissaDigits` counts the digits before the
// exponent, so that a lone sign or point is not taken for a number.
struct NumberShape {
  std::size_t end = 0;
  std::size_t mantissaDigits = 0;
  bool negative = false;
  // Decimal exponent of the leading non-zero digit, to tell an overflow from an underflow.
  std::int64_t magnitude = 0;
  bool allZero = true;
};

NumberShape scanNumber(std::string_view text) {
  NumberShape shape;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    shape.negative = text[i] == '-';
    ++i;
  }
  std::int64_t intDigits = 0;
  std::int64_t leadingFractionZeros = 0;
  bool seenNonZero = false;
  while (i < text.size() && isDigit(text[i])) {
    if (text[i] != '0') seenNonZero = true;
    if (seenNonZero) ++intDigits;
    ++shape.mantissaDigits;
    ++i;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && isDigit(text[i])) {
      if (text[i] != '0') {
        seenNonZero = true;
      } else if (!seenNonZero) {
        ++leadingFractionZeros;
      }
      ++shape.mantissaDigits;
      ++i;
    }
  }
  if (shape.mantissaDigits == 0) {
    shape.end = 0;
    return shape;
  }
  shape.end = i;
  std::int64_t exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    bool expNegative = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
      expNegative = text[j] == '-';
      ++j;
    }
    if (j < text.size() && isDigit(text[j])) {
      while (j < text.size() && isDigit(text[j])) {
        // Saturate: a 20-digit exponent is as out of range as a 5-digit one.
        if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[j] - '0');
        ++j;
      }
      if (expNegative) exponent = -exponent;
      shape.end = j;
    }
  }
  shape.allZero = !seenNonZero;
  shape.magnitude = (intDigits > 0 ? intDigits - 1 : -(leadingFractionZeros + 1)) + exponent;
  return shape;
}

// Converts a number whose shape was accepted by scanNumber. from_chars takes no '+' sign.
LeadingNumber convert(std::string_view number, const NumberShape& shape) {
  LeadingNumber result;
  std::string_view digits = number;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                         std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    if (shape.allZero || shape.magnitude < 0) {
      value = shape.negative ? -0.0 : 0.0;
    } else {
      result.overflow = true;
      value = shape.negative ? -std::numeric_limits<double>::infinity()
                             : std::numeric_limits<double>::infinity();
    }
  } else if (ec != std::errc{} || ptr != digits.data() + digits.size()) {
    value = 0.0;  // cannot happen for a scanned shape; stay on the safe side
  }
  result.value = value;
  return result;
}

std::size_t skipBlanks(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  return i;
}

}  // namespace

LeadingNumber ParseLeadingNumber(std::string_view text) {
  const std::size_t start = skipBlanks(text);
  const std::string_view rest = text.substr(start);
  const NumberShape shape = scanNumber(rest);
  if (shape.end == 0) return {};
  LeadingNumber result = convert(rest.substr(0, shape.end), shape);
  result.length = start + shape.end;
  return result;
}

double Val(std::string_view text) { return ParseLeadingNumber(text).value; }

std::optional<double> ValChecked(std::string_view text) {
  const LeadingNumber number = ParseLeadingNumber(text);
  if (number.overflow) return std::nullopt;
  return number.value;
}

std::optional<double> ParseStrict(std::string_view text) {
  std::size_t first = 0;
  while (first < text.size() && text[first] == ' ') ++first;
  std::size_t last = text.size();
  while (last > first && text[last - 1] == ' ') --last;
  const std::string_view body = text.substr(first, last - first);
  const NumberShape shape = scanNumber(body);
  if (shape.end == 0 || shape.end != body.size()) return std::nullopt;
  const LeadingNumber number = convert(body, shape);
  if (number.overflow) return std::nullopt;
  return number.value;
}

std::optional<float> ParseStrictFloat(std::string_view text) {
  // A text that from_chars takes whole and that begins with a digit or point (after a minus)
  // has the shape scanNumber accepts, and ParseStrict hands it to the same from_chars. Blanks,
  // a plus sign, "inf", "nan" and numbers beyond the float range or below the double range
  // (from_chars reports those as out of range) go the long way.
  const char first = text.size() > 1 && text.front() == '-' ? text[1]
                     : text.empty()                         ? 'x'
                                                            : text[0];
  if (isDigit(first) || first == '.') {
    double value = 0.0;
    const auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    constexpr double maxFloat = std::numeric_limits<float>::max();
    if (ec == std::errc{} && end == text.data() + text.size() && std::fabs(value) <= maxFloat) {
      return static_cast<float>(value);
    }
  }
  const std::optional<double> value = ParseStrict(text);
  return value ? NarrowToFloat(*value) : std::nullopt;
}

}  // namespace sondrix

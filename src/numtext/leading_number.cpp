#include "numtext/leading_number.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "numtext/fixed_decimal.h"
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

namespace {

constexpr std::uint64_t kMaxExactMantissa = std::uint64_t{1} << 53;

// The data's numbers ("-1.2346E-01", "5.0000e-1": a few digits and a small exponent) in one
// step: their digits as an integer below 2^53 and a power of ten up to 1e22 are both exact
// doubles, so the one multiplication or division rounds correctly and gives the double nearest
// the text, the one from_chars gives. Reads from `at` up to the first character that is not part
// of the number and returns where it stopped; null for a number of any other shape (a sign other
// than a leading minus, more digits, a larger exponent, an exponent without digits), which
// from_chars takes.
const char* scanShortDecimal(const char* at, const char* const end, double& result) {
  constexpr std::ptrdiff_t kMaxDigits = 19;  // below 10^19, so the digits are exact
  const bool negative = at < end && *at == '-';
  if (negative) ++at;
  // The digits wrap past 19 of them, harmlessly: such a number is refused below.
  std::uint64_t digits = 0;
  const char* const whole = at;
  for (; at < end && isDigit(*at); ++at)
    digits = digits * 10 + static_cast<std::uint64_t>(*at - '0');
  std::ptrdiff_t count = at - whole;
  int scale = 0;
  if (at < end && *at == '.') {
    const char* const fraction = ++at;
    for (; at < end && isDigit(*at); ++at) {
      digits = digits * 10 + static_cast<std::uint64_t>(*at - '0');
    }
    count += at - fraction;
    scale = -static_cast<int>(std::min(at - fraction, kMaxDigits + 1));
  }
  if (count == 0 || count > kMaxDigits) return nullptr;
  if (at < end && (*at == 'e' || *at == 'E')) {
    ++at;
    const bool negativeExponent = at < end && *at == '-';
    if (at < end && (*at == '-' || *at == '+')) ++at;
    constexpr int kMaxExponentDigits = 4;
    int exponent = 0;
    int exponentDigits = 0;
    for (; at < end && isDigit(*at); ++at) {
      if (++exponentDigits > kMaxExponentDigits) return nullptr;
      exponent = exponent * 10 + (*at - '0');
    }
    if (exponentDigits == 0) return nullptr;
    scale += negativeExponent ? -exponent : exponent;
  }
  if (digits > kMaxExactMantissa || scale < -kMaxExactPower || scale > kMaxExactPower) {
    return nullptr;
  }
  result = ExactDecimal(digits, scale, negative);
  return at;
}

// scanShortDecimal over the whole text.
bool exactShortDecimal(std::string_view text, double& result) {
  const char* const end = text.data() + text.size();
  const char* const stop = scanShortDecimal(text.data(), end, result);
  return stop != nullptr && stop == end;
}

}  // namespace

bool ParseStrictFloat(std::string_view text, float& result) {
  // A text that from_chars takes whole and that begins with a digit or point (after a minus)
  // has the shape scanNumber accepts, and ParseStrict hands it to the same from_chars. Blanks,
  // a plus sign, "inf", "nan" and numbers beyond the float range or below the double range
  // (from_chars reports those as out of range) go the long way.
  const char first = text.size() > 1 && text.front() == '-' ? text[1]
                     : text.empty()                         ? 'x'
                                                            : text[0];
  if (isDigit(first) || first == '.') {
    double value = 0.0;
    // At most 2^53 x 1e22, well within the float range.
    if (exactShortDecimal(text, value)) {
      result = static_cast<float>(value);
      return true;
    }
    const auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    constexpr double maxFloat = std::numeric_limits<float>::max();
    if (ec == std::errc{} && end == text.data() + text.size() && std::fabs(value) <= maxFloat) {
      result = static_cast<float>(value);
      return true;
    }
  }
  const std::optional<double> value = ParseStrict(text);
  const std::optional<float> narrow = value ? NarrowToFloat(*value) : std::nullopt;
  if (narrow) result = *narrow;
  return narrow.has_value();
}

bool ParseShortField(std::string_view text, std::size_t& length, float& result) {
  double value = 0.0;
  const char* const end = text.data() + text.size();
  const char* const stop = scanShortDecimal(text.data(), end, value);
  if (stop == nullptr || (stop != end && *stop != ',')) return false;
  length = static_cast<std::size_t>(stop - text.data());
  result = static_cast<float>(value);
  return true;
}

std::optional<float> ParseStrictFloat(std::string_view text) {
  float value = 0.0f;
  return ParseStrictFloat(text, value) ? std::optional(value) : std::nullopt;
}

}  // namespace sondrix

#pragma once

// The form the instrument and the converter write every sample in, read inline: a long record's
// CSV holds twenty million of them, and a call apiece costs as much as the reading.
#include <cstddef>
#include <cstdint>

namespace sondrix {

// The powers of ten that a double holds exactly.
inline constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                               1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                               1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
inline constexpr int kMaxExactPower = 22;

// digits x 10^scale, both exact as doubles (digits at most 2^53, |scale| at most 22): the one
// multiplication or division rounds correctly, so the double is the one from_chars gives.
inline double ExactDecimal(std::uint64_t digits, int scale, bool negative) {
  const auto value = static_cast<double>(digits);
  const double power = kExactPowersOfTen[static_cast<std::size_t>(scale < 0 ? -scale : scale)];
  const double magnitude = scale < 0 ? value / power : value * power;
  return negative ? -magnitude : magnitude;
}

// A minus or not, one digit, the point, four digits, "e" or "E", the exponent's sign or not and
// one or two digits ("-9.8242e-01", "5.0000e-1"). The eight bytes from the first digit are
// checked and read as one word. Returns where the form stops, with `result` the double nearest
// the text; null for any other text, changing nothing.
inline const char* ReadFixedDecimal(const char* at, const char* const end, double& result) {
  constexpr std::ptrdiff_t kShortest = 8;  // "5.0000e0"
  constexpr int kFractionDigits = 4;
  const bool negative = at < end && *at == '-';
  if (negative) ++at;
  if (end - at < kShortest) return nullptr;
  std::uint64_t word = 0;  // byte k of the text in byte k, whatever the machine's byte order
  for (unsigned k = 0; k < 8; ++k) {
    word |= std::uint64_t{static_cast<unsigned char>(at[k])} << (8 * k);
  }
  const auto byteAt = [word](unsigned k) { return static_cast<unsigned>(word >> (8 * k) & 0xFF); };
  if (byteAt(1) != '.' || (byteAt(6) | 0x20U) != 'e') return nullptr;
  // Bytes 0 and 2 to 5 are digits when each, with '0' taken away bitwise, is at most 9: its high
  // half and that of 6 more are clear. The point and the "e" carry nothing into them.
  constexpr std::uint64_t kDigitBytes = 0x0000'F0F0'F0F0'00F0;
  const std::uint64_t value = word ^ 0x3030'3030'3030'3030;
  if (((value | (value + 0x0606'0606'0606'0606)) & kDigitBytes) != 0) return nullptr;
  const auto digitAt = [value](unsigned k) { return value >> (8 * k) & 0xF; };
  const std::uint64_t digits =
      digitAt(0) * 10000 + digitAt(2) * 1000 + digitAt(3) * 100 + digitAt(4) * 10 + digitAt(5);
  at += 7;
  const bool negativeExponent = *at == '-';
  if (*at == '-' || *at == '+') ++at;
  const auto isDigit = [](char c) { return static_cast<unsigned char>(c - '0') < 10; };
  if (at == end || !isDigit(*at)) return nullptr;
  int exponent = *at++ - '0';
  if (at < end && isDigit(*at)) exponent = exponent * 10 + (*at++ - '0');
  const int scale = (negativeExponent ? -exponent : exponent) - kFractionDigits;
  if (scale < -kMaxExactPower || scale > kMaxExactPower) return nullptr;
  result = ExactDecimal(digits, scale, negative);
  return at;
}

}  // namespace sondrix

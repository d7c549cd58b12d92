#include "numtext/sci_format.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "numtext/digit_bytes.h"

namespace sondrix {

namespace {

// Powers of ten that doubles hold exactly: one multiplication or division by them is rounded once.
constexpr int kExactPow10 = 22;
constexpr std::array<double, kExactPow10 + 1> kPow10 = [] {
  std::array<double, kExactPow10 + 1> p{};
  p[0] = 1.0;
  for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10.0;
  return p;
}();
// 10^(decimals + 1): the first integer with one digit too many.
constexpr std::array<std::uint32_t, kTimeDecimals + 1> kDigitsLimit = {
    10, 100, 1000, 10'000, 100'000, 1'000'000, 10'000'000};

// "e" and the exponent of every value the fast path formats: its scale, 10^(decimals - exponent),
// lies in 10^-21..10^22, and the exponent may grow by two (a scaled value past its digits, and a
// carry).
constexpr int kLowestExponent = -kExactPow10;
constexpr int kHighestExponent = kExactPow10 + kTimeDecimals + 1;
struct ExponentText {
  std::array<char, 4> text{};
  std::uint8_t size = 0;
};
constexpr auto kExponentTexts = [] {
  std::array<ExponentText, kHighestExponent - kLowestExponent + 1> texts{};
  for (int e = kLowestExponent; e <= kHighestExponent; ++e) {
    ExponentText& t = texts[static_cast<std::size_t>(e - kLowestExponent)];
    const int magnitude = e < 0 ? -e : e;
    t.text[t.size++] = 'e';
    if (e < 0) t.text[t.size++] = '-';
    if (magnitude >= 10) t.text[t.size++] = static_cast<char>('0' + magnitude / 10);
    t.text[t.size++] = static_cast<char>('0' + magnitude % 10);
  }
  return texts;
}();

// to_chars gives d.ddddde+XX (or inf/nan); the exponent is rewritten without '+' and zeros.
char* formatByToChars(char* out, double value, int decimals) {
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

// The export writes tens of millions of numbers, and to_chars with a precision takes about
// 40 ns for each. Here the value is scaled to decimals + 1 digits by one exactly rounded
// operation (relative error below 2^-53, so below 1e-9 on numbers under 1e7) and rounded to an
// integer; that integer is the correctly rounded one unless the scaled value lies within 1e-7
// of a half, in which case (and outside the exact powers of ten, and for infinities and NaNs)
// to_chars decides: null then.
char* formatFast(char* out, double value, int decimals) {
  const double magnitude = std::fabs(value);
  const auto biased = static_cast<int>(std::bit_cast<std::uint64_t>(magnitude) >> 52);
  if (biased == 0 || biased == 0x7FF) return nullptr;  // subnormal, infinite or NaN
  // The decimal exponent from the binary one: floor(log10(2^b)) is b * 78913 >> 18 for the
  // exponents of doubles; it is one too low where the value reaches the next power of ten.
  int exponent = ((biased - 1023) * 78913) >> 18;
  const int shift = decimals - exponent;
  if (shift < -kExactPow10 + 1 || shift > kExactPow10) return nullptr;
  const auto scale = [magnitude](int by) {
    return by >= 0 ? magnitude * kPow10[static_cast<std::size_t>(by)]
                   : magnitude / kPow10[static_cast<std::size_t>(-by)];
  };
  double scaled = scale(shift);
  const std::uint32_t limit = kDigitsLimit[static_cast<std::size_t>(decimals)];
  if (scaled >= limit) {
    ++exponent;
    scaled = scale(shift - 1);
  }
  if (!(scaled < limit)) return nullptr;
  auto digits = static_cast<std::uint32_t>(scaled);  // scaled is not negative: this is floor
  const double fraction = scaled - digits;           // exact: scaled is below 2^53
  if (std::fabs(fraction - 0.5) < 1e-7) return nullptr;
  digits += fraction > 0.5 ? 1 : 0;
  if (digits == limit) {  // 9.99996 to four decimals: a carry into the next power of ten
    digits /= 10;
    ++exponent;
  }
  if (digits < limit / 10 || exponent < kLowestExponent || exponent > kHighestExponent) {
    return nullptr;
  }
  *out = '-';
  out += value < 0 ? 1 : 0;
  // d.dddd: the leading digit, the point (none without decimals) and eight digit bytes of which
  // the decimals are kept; the caller's room allows the bytes past them.
  const std::uint64_t text = EightDigitBytes(digits) >> (8 * (kEightDigits - 1 - decimals));
  out[0] = static_cast<char>(text);
  out[1] = '.';
  const std::uint64_t rest = text >> 8;
  std::memcpy(out + 1 + (decimals > 0 ? 1 : 0), &rest, sizeof rest);
  out += decimals + (decimals > 0 ? 2 : 1);
  const ExponentText& e = kExponentTexts[static_cast<std::size_t>(exponent - kLowestExponent)];
  std::memcpy(out, e.text.data(), e.text.size());
  return out + e.size;
}

}  // namespace

char* FormatScientific(char* out, double value, int decimals) {
  decimals = std::clamp(decimals, 0, kTimeDecimals);
  if (value == 0.0) {  // both zeros: no digit before the point, exponent 0
    *out++ = '.';
    std::memset(out, '0', static_cast<std::size_t>(decimals));
    out += decimals;
    std::memcpy(out, "e0", 2);
    return out + 2;
  }
  if (char* end = formatFast(out, value, decimals)) return end;
  return formatByToChars(out, value, decimals);
}

std::string FormatScientific(double value, int decimals) {
  std::array<char, kSciMaxChars> buffer{};
  char* end = FormatScientific(buffer.data(), value, decimals);
  return std::string(buffer.data(), end);
}

}  // namespace sondrix

#include "csv/time_texts.h"

#include <cmath>
#include <cstring>

#include "numtext/digit_bytes.h"
#include "numtext/sci_format.h"

namespace sondrix {
namespace {

// The digits of a time, kTimeDecimals + 1 of them, lie in [kLeast, kLimit).
constexpr double kLeast = 1e6;
constexpr std::uint32_t kLimit = 10'000'000;
// Powers of ten up to 10^22 are exact in a double, so scaling by one rounds once.
constexpr int kExactPowers = 22;

}  // namespace

TimeTexts::TimeTexts(std::int32_t trigAddr, double delta) : trigAddr_(trigAddr), delta_(delta) {}

char* TimeTexts::write(char* out, std::int64_t index) {
  const std::int64_t distance = index - trigAddr_;
  const std::uint64_t steps = distance < 0 ? 0 - static_cast<std::uint64_t>(distance)
                                           : static_cast<std::uint64_t>(distance);
  // The time is |distance| * |delta| rounded once, and scaling it rounds once more; this product
  // rounds twice, so the three lie within 4e-9 of each other below 10^7, and only a value
  // within 1e-7 of a half could round otherwise: the formatter decides those.
  const double scaled = static_cast<double>(steps) * scale_;
  if (!(scaled >= kLeast && scaled < kLimit)) return writeFormatted(out, distance);
  auto digits = static_cast<std::uint32_t>(scaled);
  const double fraction = scaled - digits;
  if (std::fabs(fraction - 0.5) < 1e-7) return writeFormatted(out, distance);
  digits += fraction > 0.5 ? 1 : 0;
  if (digits == kLimit) return writeFormatted(out, distance);  // 9.9999996: the next exponent
  *out = '-';
  out += (distance < 0) != (delta_ < 0) ? 1 : 0;
  // The first digit, the point, the six after it (of eight bytes) and the exponent.
  const std::uint64_t text = EightDigitBytes(digits);
  out[0] = static_cast<char>(text >> 8);
  out[1] = '.';
  const std::uint64_t decimals = text >> 16;
  std::memcpy(out + 2, &decimals, sizeof decimals);
  std::memcpy(out + 2 + kTimeDecimals, exponentText_.data(), exponentText_.size());
  return out + 2 + kTimeDecimals + exponentSize_;
}

// Formats the time as any number, and takes its decimal exponent as the stretch's from here on.
char* TimeTexts::writeFormatted(char* out, std::int64_t distance) {
  const double time = static_cast<double>(distance) * delta_;
  scale_ = 0.0;
  const double magnitude = std::fabs(time);
  if (magnitude > 0.0 && std::isfinite(magnitude)) {
    // One too high or low near a power of ten only sends those times here again.
    const auto exponent = static_cast<int>(std::floor(std::log10(magnitude)));
    const int shift = kTimeDecimals - exponent;
    if (shift >= -kExactPowers && shift <= kExactPowers) {
      double power = 1.0;
      for (int i = 0; i < std::abs(shift); ++i) power *= 10.0;
      scale_ = shift >= 0 ? std::fabs(delta_) * power : std::fabs(delta_) / power;
      exponentSize_ = 0;
      exponentText_[static_cast<std::size_t>(exponentSize_++)] = 'e';
      if (exponent < 0) exponentText_[static_cast<std::size_t>(exponentSize_++)] = '-';
      const int size = std::abs(exponent);
      if (size >= 10)
        exponentText_[static_cast<std::size_t>(exponentSize_++)] =
            static_cast<char>('0' + size / 10);
      exponentText_[static_cast<std::size_t>(exponentSize_++)] = static_cast<char>('0' + size % 10);
    }
  }
  return FormatScientific(out, time, kTimeDecimals);
}

}  // namespace sondrix

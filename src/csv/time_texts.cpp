#include "csv/time_texts.h"

#include <cmath>

#include "numtext/digit_bytes.h"
#include "numtext/sci_format.h"

namespace sondrix {
namespace {

// Powers of ten up to 10^22 are exact in a double, so scaling by one rounds once.
constexpr int kExactPowers = 22;
constexpr double kFractionScale = 0x1p64;

// The digit bytes of `value` below 10^8: one digit a byte, the last digit in the lowest.
std::uint64_t DigitBytesOf(std::uint32_t value) {
  return __builtin_bswap64(EightDigitBytes(value) - 0x3030'3030'3030'3030ULL);
}

}  // namespace

TimeTexts::TimeTexts(std::int32_t trigAddr, double delta, std::int64_t step)
    : trigAddr_(trigAddr), delta_(delta), step_(step) {}

// The time of a line that does not follow from the last one's.
char* TimeTexts::writeAfresh(char* out, std::int64_t index) {
  following_ = false;
  if (startStretch(index)) return writeDigits(out);
  return writeFormatted(out, index - trigAddr_);
}

// The first time of a stretch, or one after a line that left it: its digits from one
// multiplication of the sample's distance from the trigger.
bool TimeTexts::startStretch(std::int64_t index) {
  const std::int64_t distance = index - trigAddr_;
  const std::uint64_t steps = distance < 0 ? 0 - static_cast<std::uint64_t>(distance)
                                           : static_cast<std::uint64_t>(distance);
  // The time is |distance| * |delta| rounded once, and scaling it rounds once more; this product
  // rounds twice, so the three lie within 4e-9 of each other below 10^7.
  const double scaled = static_cast<double>(steps) * scale_;
  if (!(scaled >= static_cast<double>(kLeast) && scaled < static_cast<double>(kLimit))) {
    return false;
  }
  scaled_.whole = static_cast<std::uint64_t>(scaled);
  scaled_.fraction =
      static_cast<std::uint64_t>((scaled - static_cast<double>(scaled_.whole)) * kFractionScale);
  negative_ = (distance < 0) != (delta_ < 0);
  if (!settle()) return false;
  digitBytes_ = DigitBytesOf(digits_);
  // Each line moves the scaled time by step * scale, rounded once and cut to 64 fraction bits;
  // over a stretch, which spans less than 10^7, that adds well under 1e-8 to the error above.
  const double stride = static_cast<double>(step_) * scale_;
  if (stride < static_cast<double>(kLimit)) {
    stride_.whole = static_cast<std::uint64_t>(stride);
    stride_.fraction =
        static_cast<std::uint64_t>((stride - static_cast<double>(stride_.whole)) * kFractionScale);
    // Before the trigger the times shrink towards it.
    falling_ = distance < 0;
    following_ = step_ > 0;
    index_ = index;
  }
  return true;
}

// The digit bytes that add `change` to the digits: below zero, its complement to 10^7.
std::uint64_t TimeTexts::changeBytes(std::int64_t change) {
  changes_[1] = changes_[0];
  changeBytes_[1] = changeBytes_[0];
  changes_[0] = change;
  const auto addend =
      static_cast<std::uint32_t>(change < 0 ? std::int64_t{kLimit} + change : change);
  changeBytes_[0] = DigitBytesOf(addend);
  return changeBytes_[0];
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

#pragma once

#include <array>
#include <cstdint>
#include <cstring>

#include "numtext/sci_format.h"

namespace sondrix {

// The time field of the export's lines: (index - trigAddr) * delta seconds, as FormatScientific
// writes it with kTimeDecimals digits. A record's times run through long stretches of one sign
// and one decimal exponent. Within such a stretch, going from one line to the next adds a fixed
// amount to the time's digits: the writer keeps them as a fixed-point sum and as one byte per
// digit, and moves both on by that amount, instead of formatting each number anew. Each writer
// thread keeps its own.
class TimeTexts {
 public:
  // `step`: how far apart the indexes of consecutive lines lie.
  TimeTexts(std::int32_t trigAddr, double delta, std::int64_t step = 1);

  // Writes the time of sample `index` and returns the end; `out` holds at least kSciMaxChars.
  // Inline: the writer asks for one on every line.
  char* write(char* out, std::int64_t index) {
    if (following_ && index - index_ == step_) {
      index_ = index;
      if (moveOn()) return writeDigits(out);
    }
    return writeAfresh(out, index);
  }

 private:
  // The digits of a time, kTimeDecimals + 1 of them, lie in [kLeast, kLimit).
  static constexpr std::uint64_t kLeast = 1'000'000;
  static constexpr std::uint64_t kLimit = 10'000'000;
  // A fraction of one half, and of 10^-7, in 64-bit fixed point.
  static constexpr std::uint64_t kHalf = std::uint64_t{1} << 63;
  static constexpr std::uint64_t kNearHalf = 1'844'674'407'371;
  static constexpr std::uint64_t kZeroBytes = 0x3030'3030'3030'3030ULL;

  // A time's digits scaled to an integer, in 64.64 fixed point: the integer part and the
  // fraction's 64 bits.
  struct Scaled {
    std::uint64_t whole = 0;
    std::uint64_t fraction = 0;
  };

  // The digit bytes of a + b, both below 10^7, modulo 10^7 in the seven lower bytes: each digit
  // is biased by 246 so that a sum of ten or more carries into the next byte by itself, and the
  // digits that did not carry lose the bias again. What carries out of the seventh byte is never
  // read.
  static std::uint64_t addDigitBytes(std::uint64_t a, std::uint64_t b) {
    constexpr std::uint64_t kBias = 0x00F6'F6F6'F6F6'F6F6ULL;
    const std::uint64_t sum = a + b + kBias;
    const std::uint64_t uncarried = (sum >> 7) & 0x0001'0101'0101'0101ULL;
    return sum - uncarried * 0xF6;
  }

  // The next line's time, by one stride from the last.
  bool moveOn() {
    std::uint64_t whole = scaled_.whole;
    std::uint64_t fraction = scaled_.fraction;
    if (falling_) {
      whole -= stride_.whole + (fraction < stride_.fraction ? 1 : 0);
      fraction -= stride_.fraction;
    } else {
      fraction += stride_.fraction;
      whole += stride_.whole + (fraction < stride_.fraction ? 1 : 0);
    }
    scaled_ = {whole, fraction};
    // Past the trigger a falling time wraps round to a huge one, which is out of range as well.
    if (whole - kLeast >= kLimit - kLeast) return false;
    const std::uint32_t before = digits_;
    if (!settle()) return false;
    const std::int64_t change = std::int64_t{digits_} - before;
    const std::uint64_t bytes = change == changes_[0]   ? changeBytes_[0]
                                : change == changes_[1] ? changeBytes_[1]
                                                        : changeBytes(change);
    digitBytes_ = addDigitBytes(digitBytes_, bytes);
    return true;
  }

  // Rounds the scaled time to its digits. Only a value within 1e-7 of a half could round
  // otherwise than the formatter rounds the time itself: those are left to the formatter, as are
  // the digits that round up to the next exponent.
  bool settle() {
    if (scaled_.fraction - kHalf + kNearHalf < 2 * kNearHalf) return false;
    const std::uint64_t digits = scaled_.whole + (scaled_.fraction > kHalf ? 1 : 0);
    if (digits >= kLimit) return false;
    digits_ = static_cast<std::uint32_t>(digits);
    return true;
  }

  // The sign, the first digit, the point, the other digits and the exponent.
  char* writeDigits(char* out) const {
    *out = '-';
    out += negative_ ? 1 : 0;
    const std::uint64_t text = __builtin_bswap64(digitBytes_) | kZeroBytes;
    out[0] = static_cast<char>(text >> 8);
    out[1] = '.';
    const std::uint64_t decimals = text >> 16;
    std::memcpy(out + 2, &decimals, sizeof decimals);
    std::memcpy(out + 2 + kTimeDecimals, exponentText_.data(), exponentText_.size());
    return out + 2 + kTimeDecimals + exponentSize_;
  }

  char* writeAfresh(char* out, std::int64_t index);
  bool startStretch(std::int64_t index);
  std::uint64_t changeBytes(std::int64_t change);
  char* writeFormatted(char* out, std::int64_t distance);

  std::int32_t trigAddr_;
  double delta_;
  std::int64_t step_;
  // For the times of one decimal exponent: the digits' scale applied to |delta| (0 while no
  // stretch is known) and the exponent's text, padded.
  double scale_ = 0.0;
  std::array<char, 8> exponentText_{};
  int exponentSize_ = 0;
  // Whether the next line's time may follow from the state below, which is of line `index_`.
  bool following_ = false;
  std::int64_t index_ = 0;
  Scaled scaled_;
  Scaled stride_;  // what one line adds to `scaled_`, or takes from it before the trigger
  bool falling_ = false;
  bool negative_ = false;
  std::uint32_t digits_ = 0;
  std::uint64_t digitBytes_ = 0;  // `digits_`, one digit a byte, the last digit in the lowest
  // The last two changes of `digits_` from line to line and their digit bytes: within a stretch
  // the digits move on by one of two amounts. No change reaches 10^7, the mark of an empty slot.
  std::array<std::int64_t, 2> changes_{10'000'000, 10'000'000};
  std::array<std::uint64_t, 2> changeBytes_{};
};

}  // namespace sondrix

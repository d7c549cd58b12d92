#pragma once

#include <array>
#include <cstdint>

namespace sondrix {

// The time field of the export's lines: (index - trigAddr) * delta seconds, as FormatScientific
// writes it with kTimeDecimals digits. A record's times run through long stretches of one sign
// and one decimal exponent; within such a stretch a time's digits come from one multiplication
// of the sample's distance from the trigger, with the exponent's text kept, instead of the
// general formatting of every number. Each writer thread keeps its own.
class TimeTexts {
 public:
  TimeTexts(std::int32_t trigAddr, double delta);

  // Writes the time of sample `index` and returns the end; `out` holds at least kSciMaxChars.
  char* write(char* out, std::int64_t index);

 private:
  char* writeFormatted(char* out, std::int64_t distance);

  std::int32_t trigAddr_;
  double delta_;
  // For the times of one decimal exponent: the digits' scale applied to |delta| (0 while no
  // stretch is known) and the exponent's text, padded.
  double scale_ = 0.0;
  std::array<char, 8> exponentText_{};
  int exponentSize_ = 0;
};

}  // namespace sondrix

#pragma once

#include <string>
#include <string_view>

namespace sondrix {

// A value in engineering form: the mantissa after the SI prefix was chosen and the rounding to
// the caption's decimals, and the prefix followed by the unit ("mV/div", "us", "ns").
struct Engineering {
  double mantissa = 0.0;
  std::string text;
};

inline constexpr int kCaptionDecimals = 2;  // V/div, s/div, end and centre captions
inline constexpr int kStartDecimals = 5;    // the start caption

// The prefix by the magnitude of the 32-bit value: n below 1e-6 (zero included), u below 1e-3,
// m below 1, k from 1000, none otherwise. The mantissa is rounded to `decimals` places, halves
// to even.
Engineering ToEngineering(float value, std::string_view unit, int decimals);

// The caption: the mantissa's plain number text followed by the prefixed unit ("500mV/div").
std::string CaptionText(const Engineering& value);

// A value as every read-out and the measurement table show it, in double precision: the
// captions' prefixes and M from a million, the mantissa to five significant digits (at most four
// decimals) halves to even, without trailing zeros ("500us", "-200ns", "1.2346V", "2.5MHz"); a
// rounding that reaches 1000 takes the next prefix (999.996 us reads "1ms"). A value that rounds
// to zero reads "0" and the bare unit, one that is not finite "—".
std::string ReadingText(double value, std::string_view unit);

// Seconds from a prefixed time text as ToEngineering gives it ("s", "ms", "us", "ns", "ks").
double EngineeringToSeconds(double mantissa, std::string_view text);

}  // namespace sondrix

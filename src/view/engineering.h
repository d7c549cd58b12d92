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
// The same in double precision, for the read-outs: 500 us reads "500us", not the 32-bit value's
// "500.00002us" that the captions keep.
Engineering ToEngineering(double value, std::string_view unit, int decimals);

// The caption: the mantissa's plain number text followed by the prefixed unit ("500mV/div").
std::string CaptionText(const Engineering& value);

// A measured value as the read-outs and the measurement table show it: the caption's form with
// its two decimals ("1.23V", "-500mV"), a million or more with the prefix M ("2.5MHz"), and a
// value that would show as zero as "0" and the bare unit rather than "0nV".
std::string ReadingText(double value, std::string_view unit);

// Seconds from a prefixed time text as ToEngineering gives it ("s", "ms", "us", "ns", "ks").
double EngineeringToSeconds(double mantissa, std::string_view text);

}  // namespace sondrix

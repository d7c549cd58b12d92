#include "view/engineering.h"

#include <array>
#include <cmath>

#include "numtext/print_form.h"
#include "numtext/rounding.h"
#include "view/messages.h"

namespace sondrix {

namespace {

// Five significant digits: a 16-bit count's resolution, and short of the noise a 32-bit value
// carries in its seventh digit (a 1 ns interval stored in 32 bits makes 500 us 499.999986 us).
constexpr int kReadingDigits = 5;

// A reading's prefixes: the captions' n to k, and M for frequencies. A value takes the last one
// whose `from` it reaches; its mantissa is the value times `times` over `over`, so that
// each factor is exact.
struct ReadingPrefix {
  double from;
  double times;
  double over;
  const char* text;
};
constexpr std::array<ReadingPrefix, 6> kReadingPrefixes{{{0.0, 1e9, 1.0, "n"},
                                                         {1e-6, 1e6, 1.0, "u"},
                                                         {1e-3, 1e3, 1.0, "m"},
                                                         {1.0, 1.0, 1.0, ""},
                                                         {1e3, 1.0, 1e3, "k"},
                                                         {1e6, 1.0, 1e6, "M"}}};

// The mantissa rounded to five significant digits, halves to even, but to no more than four
// decimals: below 1 n the reading keeps the n row's decimals and what lies under them reads 0.
double roundToReadingDigits(double mantissa) {
  int digits = 1;
  for (double ten = 10.0; std::fabs(mantissa) >= ten; ten *= 10.0) ++digits;
  if (digits <= kReadingDigits) return RoundToDecimals(mantissa, kReadingDigits - digits);
  const double step = std::pow(10.0, digits - kReadingDigits);
  return RoundHalfEven(mantissa / step) * step;
}

}  // namespace

Engineering ToEngineering(float value, std::string_view unit, int decimals) {
  const float magnitude = std::fabs(value);
  const double v = value;
  Engineering result;
  if (magnitude < 0.000001f) {
    result = {v * 1'000'000'000.0, "n"};
  } else if (magnitude < 0.001f) {
    result = {v * 1'000'000.0, "u"};
  } else if (magnitude < 1.0f) {
    result = {v * 1000.0, "m"};
  } else if (magnitude >= 1000.0f) {
    result = {v / 1000.0, "k"};
  } else {
    result = {v, ""};
  }
  result.mantissa = RoundToDecimals(result.mantissa, decimals);
  result.text += unit;
  return result;
}

std::string CaptionText(const Engineering& value) {
  return NumberText(value.mantissa) + value.text;
}

std::string ReadingText(double value, std::string_view unit) {
  if (!std::isfinite(value)) return view_messages::kNoValue;
  std::size_t p = kReadingPrefixes.size() - 1;
  while (p > 0 && std::fabs(value) < kReadingPrefixes[p].from) --p;
  const auto mantissa = [value](const ReadingPrefix& prefix) {
    return roundToReadingDigits(value * prefix.times / prefix.over);
  };
  double shown = mantissa(kReadingPrefixes[p]);
  // Rounding may carry into the next prefix: 999.996 us reads 1ms, not 1000us.
  if (std::fabs(shown) >= 1000.0 && p + 1 < kReadingPrefixes.size()) {
    shown = mantissa(kReadingPrefixes[++p]);
  }
  if (shown == 0.0) return NumberText(0.0).append(unit);
  return NumberText(shown).append(kReadingPrefixes[p].text).append(unit);
}

double EngineeringToSeconds(double mantissa, std::string_view text) {
  if (text == "ms") return mantissa / 1000.0;
  if (text == "us") return mantissa / 1'000'000.0;
  if (text == "ns") return mantissa / 1'000'000'000.0;
  // A window of 1000 s or more is captioned in ks; its centre must come back in seconds too.
  if (text == "ks") return mantissa * 1000.0;
  return mantissa;
}

}  // namespace sondrix

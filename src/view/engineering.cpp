#include "view/engineering.h"

#include <cmath>

#include "numtext/print_form.h"
#include "numtext/rounding.h"

namespace sondrix {

namespace {

// The prefix is chosen by the magnitude in the value's own precision.
template <typename Value>
Engineering engineering(Value value, std::string_view unit, int decimals) {
  const Value magnitude = std::fabs(value);
  const double v = value;
  Engineering result;
  if (magnitude < static_cast<Value>(0.000001)) {
    result = {v * 1'000'000'000.0, "n"};
  } else if (magnitude < static_cast<Value>(0.001)) {
    result = {v * 1'000'000.0, "u"};
  } else if (magnitude < Value{1}) {
    result = {v * 1000.0, "m"};
  } else if (magnitude >= Value{1000}) {
    result = {v / 1000.0, "k"};
  } else {
    result = {v, ""};
  }
  result.mantissa = RoundToDecimals(result.mantissa, decimals);
  result.text += unit;
  return result;
}

}  // namespace

Engineering ToEngineering(float value, std::string_view unit, int decimals) {
  return engineering(value, unit, decimals);
}

Engineering ToEngineering(double value, std::string_view unit, int decimals) {
  return engineering(value, unit, decimals);
}

std::string CaptionText(const Engineering& value) {
  return NumberText(value.mantissa) + value.text;
}

std::string ReadingText(double value, std::string_view unit) {
  Engineering reading;
  if (std::fabs(value) >= 1'000'000.0) {
    reading = {RoundToDecimals(value / 1'000'000.0, kCaptionDecimals), "M"};
    reading.text += unit;
  } else {
    reading = ToEngineering(static_cast<float>(value), unit, kCaptionDecimals);
  }
  if (reading.mantissa == 0.0) return NumberText(0.0).append(unit);
  return CaptionText(reading);
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

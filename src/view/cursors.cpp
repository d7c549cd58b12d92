#include "view/cursors.h"

#include <cstdint>
#include <optional>

#include "numtext/leading_number.h"
#include "numtext/print_form.h"
#include "numtext/rounding.h"

namespace sondrix {
namespace {

constexpr double kSliderXStepsPerDivision = 100.0;
constexpr double kSliderYStepsPerDivision = kCountsPerDivision;
constexpr double kLevelCursorMiddle = 4.0;  // divisions up at slider value 0
constexpr const char* kMiddleExpPos = "5";

// Positions on a slider's scale, not necessarily within its range: a typed position may lie
// off the surface.
double FractionOf(double value, int min, int max) { return (value - min) / (max - min); }

std::optional<double> TimeCursorFraction(std::string_view expPosText) {
  const double fraction =
      FractionOf(Val(expPosText) * kSliderXStepsPerDivision, kSliderXMin, kSliderXMax);
  if (!RoundToInt32(fraction * kSurfaceWidthTwips)) return std::nullopt;
  return fraction;
}

std::int32_t Middle(int min, int max) { return RoundClampInt32((min + max) / 2.0); }

}  // namespace

CursorPlacement SliderXChanged(int value) {
  return {NumberText(value / kSliderXStepsPerDivision),
          FractionOf(value, kSliderXMin, kSliderXMax)};
}

CursorPlacement SliderYChanged(int value) {
  return {NumberText(kLevelCursorMiddle - value / kSliderYStepsPerDivision),
          FractionOf(value, kSliderYMin, kSliderYMax)};
}

CursorPlacement ExpPosEntered(std::string_view expPosText) {
  if (const std::optional<double> fraction = TimeCursorFraction(expPosText)) {
    return {std::string(expPosText), *fraction};
  }
  return {kMiddleExpPos, *TimeCursorFraction(kMiddleExpPos)};
}

SliderValues CentredSliders() {
  return {Middle(kSliderXMin, kSliderXMax), Middle(kSliderYMin, kSliderYMax)};
}

}  // namespace sondrix

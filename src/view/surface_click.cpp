#include "view/surface_click.h"

#include <algorithm>
#include <cmath>

#include "numtext/rounding.h"
#include "view/cursors.h"

namespace sondrix {
namespace {

// The inverse of the slider's line placement: the value whose line lies at `fraction` of the
// slider's extent from its minimum end, rounded half to even, within its range.
int SliderValueAt(double fraction, int min, int max) {
  const double within = std::isfinite(fraction) ? std::clamp(fraction, 0.0, 1.0) : 0.5;
  return static_cast<int>(RoundClampInt32(min + within * (static_cast<double>(max) - min)));
}

}  // namespace

ClickOutcome ClickOnSurface(double x, double y, ClickKeys keys) {
  if (keys.alt || keys.meta || (keys.shift && keys.control)) return {};
  if (keys.shift) return {ClickAction::ReferenceMark, 0};
  if (keys.control) {
    return {ClickAction::LevelCursor, SliderValueAt(y, kSliderYMin, kSliderYMax)};
  }
  return {ClickAction::TimeCursor, SliderValueAt(x, kSliderXMin, kSliderXMax)};
}

}  // namespace sondrix

#include "view/wheel_zoom.h"

#include <algorithm>
#include <cmath>

#include "model/scale.h"
#include "numtext/print_form.h"
#include "numtext/rounding.h"

namespace sondrix {
namespace {

// More notches than this in one turn would only overflow the magnification.
constexpr int kMostSteps = 16;

// An axis as the zoom sees it, in its own units from the low end of its whole extent: the window
// from `first` over `width`, the point under the pointer at fraction `pointer` of the window.
struct Axis {
  double first;
  double width;
  double total;
  double pointer;
};

// The zoom centre, as a fraction of the window, that keeps the point under the pointer in place
// when the magnification becomes `zoom`: the new window keeps the centre c at the fraction
// c / total of itself, so the point p at fraction u lands at (zoom (p - c) + c) / total, which is
// u for c = (zoom p - u total) / (zoom - 1). None when the new window is the whole extent.
std::optional<double> CentreFraction(const Axis& axis, double zoom) {
  if (!(zoom > 1.0) || !(axis.width > 0.0)) return std::nullopt;
  const double p = axis.first + axis.pointer * axis.width;
  const double c = (zoom * p - axis.pointer * axis.total) / (zoom - 1.0);
  return (std::clamp(c, 0.0, axis.total) - axis.first) / axis.width;
}

}  // namespace

std::optional<ZoomBoxes> WheelZoomBoxes(const WaveHeader& header, const ViewState& view,
                                        const ZoomBoxes& boxes, WheelAxis axis, int steps,
                                        double pointerX, double pointerY) {
  if (!view.WaveLoaded || !view.WaveDrawn || header.Points < 2 || steps == 0) return std::nullopt;
  const bool time = axis == WheelAxis::Time;
  const float magnified = time ? view.XZoom : view.YZoom;
  if (steps < 0 && !(magnified > 1.0f)) return std::nullopt;
  const double factor = std::ldexp(1.0, std::clamp(steps, -kMostSteps, kMostSteps));

  ZoomBoxes next = boxes;
  (time ? next.ZoomRate : next.YZoomRate) = NumberText(factor);
  (time ? next.YZoomRate : next.ZoomRate) = NumberText(1.0);

  // The zoom takes the sample at ExpPos whole divisions of the window from StartIndex to
  // EndIndex + 1; the traces put StartIndex at the left edge and EndIndex at the right.
  const double start = view.StartIndex;
  const double end = view.EndIndex;
  const Axis x{start, end + 1.0 - start, static_cast<double>(header.Points),
               (pointerX * (end - start)) / (end + 1.0 - start)};
  const double xZoom = time ? double{view.XZoom} * factor : double{view.XZoom};
  if (const auto fraction = CentreFraction(x, xZoom)) {
    next.ExpPos = NumberText(RoundHalfEven(*fraction * kDivisionsX));
  } else if (time) {
    next.ExpPos = NumberText(RoundHalfEven(pointerX * kDivisionsX));
  }

  // Levels from the bottom of the full scale; the zoom takes the level at YExpPos divisions up.
  const double bottom = double{view.YBottom} - kFullScaleBottom;
  const Axis y{bottom, double{view.YTop} - view.YBottom, double{kFullScaleTop} - kFullScaleBottom,
               1.0 - pointerY};
  const double yZoom = time ? double{view.YZoom} : double{view.YZoom} * factor;
  if (const auto fraction = CentreFraction(y, yZoom)) {
    next.YExpPos = NumberText(RoundToDecimals(*fraction * kDivisionsY, 4));
  } else if (!time) {
    next.YExpPos = NumberText(RoundToDecimals((1.0 - pointerY) * kDivisionsY, 4));
  }
  return next;
}

}  // namespace sondrix

#include "view/zoom.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "numtext/leading_number.h"
#include "numtext/rounding.h"
#include "view/scene.h"

namespace sondrix {
namespace {

// Built as strings and moved in: assigning a literal to a box trips a false -Wrestrict in
// GCC 12's optimised std::string code.
std::string UnitFactor() { return "1"; }
std::string MiddleExpPos() { return "5"; }   // the middle of the 10 divisions across
std::string MiddleYExpPos() { return "4"; }  // the middle of the 8 divisions up

bool IsMagnification(float zoom) { return std::isfinite(zoom) && zoom > 0.0f; }

// The cumulative magnification times the factor in a box, or nullopt when the factor is not a
// positive 32-bit float or the product is not (it overflowed, or underflowed to 0). A factor of
// 0 or below would divide the window by zero or turn it inside out.
std::optional<float> Magnify(float zoom, std::string_view factorText) {
  const std::optional<float> factor = NarrowToFloat(Val(factorText));
  if (!factor || !IsMagnification(*factor)) return std::nullopt;
  const float product = zoom * *factor;
  if (!IsMagnification(product)) return std::nullopt;
  return product;
}

struct Magnifications {
  float x;
  float y;
};

// X first, then Y. On the first factor that fails both boxes read "1"; applying them again
// would multiply by 1, so an X product already taken is kept and the rest stays as it was.
Magnifications ApplyFactors(const ViewState& view, ZoomBoxes& boxes) {
  Magnifications zoom{view.XZoom, view.YZoom};
  if (const std::optional<float> x = Magnify(zoom.x, boxes.ZoomRate)) {
    zoom.x = *x;
    if (const std::optional<float> y = Magnify(zoom.y, boxes.YZoomRate)) {
      zoom.y = *y;
      return zoom;
    }
  }
  boxes.ZoomRate = UnitFactor();
  boxes.YZoomRate = UnitFactor();
  return zoom;
}

// The sample at K = ExpPos divisions of the current window: ((10 - K) * start + K * (end + 1))
// / 10 in 32-bit integers, nullopt when they overflow. A centre outside the record moves to the
// middle of the window and `ExpPos` to "5". A centre outside the window but inside the record is
// used as it is.
std::optional<std::int32_t> CentreSample(const WaveHeader& header, const ViewState& view,
                                         ZoomBoxes& boxes) {
  const std::optional<std::int32_t> k = RoundToInt32(Val(boxes.ExpPos));
  if (!k) return std::nullopt;
  std::int32_t rest = 0, left = 0, afterEnd = 0, right = 0, sum = 0;
  if (__builtin_sub_overflow(kDivisionsX, *k, &rest) ||
      __builtin_mul_overflow(rest, view.StartIndex, &left) ||
      __builtin_add_overflow(view.EndIndex, 1, &afterEnd) ||
      __builtin_mul_overflow(*k, afterEnd, &right) || __builtin_add_overflow(left, right, &sum)) {
    return std::nullopt;
  }
  // Any 32-bit sum over 10 fits.
  std::int32_t centre = RoundClampInt32(sum / static_cast<double>(kDivisionsX));
  if (centre < 0 || centre >= header.Points) {
    boxes.ExpPos = MiddleExpPos();
    if (__builtin_add_overflow(afterEnd, view.StartIndex, &sum)) return std::nullopt;
    centre = RoundClampInt32(sum / 2.0);
  }
  return centre;
}

struct VerticalRange {
  float top;
  float bottom;
};

// The raw level at YExpPos divisions up the current range stays at the same fraction of the
// full 16-bit range: the distance to each end of it shrinks by the magnification. In 32-bit
// floats; nullopt when the position or a result is beyond them.
std::optional<VerticalRange> ZoomedRange(const ViewState& view, float yZoom,
                                         std::string_view yExpPos) {
  const std::optional<float> y = NarrowToFloat(Val(yExpPos));
  if (!y) return std::nullopt;
  constexpr float divisions = kDivisionsY;
  const float level = ((divisions - *y) * view.YBottom + *y * view.YTop) / divisions;
  const VerticalRange range{level + (kFullScaleTop - level) / yZoom,
                            level - (level - kFullScaleBottom) / yZoom};
  if (!std::isfinite(range.top) || !std::isfinite(range.bottom)) return std::nullopt;
  return range;
}

// The new window keeps the centre at the same fraction of the record's left and right parts:
// centre - start ~ centre / XZoom and end - centre ~ (Points - centre) / XZoom. A tiny factor
// reaches far beyond 32 bits, hence the saturating rounding before the clamp into the record.
DrawRequest NewWindow(const WaveHeader& header, std::int32_t centre, float xZoom) {
  const double c = centre;
  const double zoom = xZoom;
  std::int32_t start = RoundClampInt32(c - c / zoom - 1.0);
  std::int32_t end = RoundClampInt32((header.Points - c + 1.0) / zoom + c - 1.0);
  start = std::clamp(start, 0, header.Points - 2);
  end = std::clamp(end, 1, header.Points - 1);
  // The scales divide by end - start: a huge factor must still leave two samples to draw.
  end = std::max(end, start + 1);
  return {start, end, header.TimeDiv / zoom};
}

}  // namespace

std::optional<DrawRequest> Expand(const WaveHeader& header, ViewState& view, ZoomBoxes& boxes) {
  // Magnifications that are not positive belong to a view no load has reset.
  if (!view.WaveLoaded || !view.WaveDrawn || header.Points < 2 || !IsMagnification(view.XZoom) ||
      !IsMagnification(view.YZoom)) {
    return std::nullopt;
  }
  const Magnifications zoom = ApplyFactors(view, boxes);

  std::optional<std::int32_t> centre = CentreSample(header, view, boxes);
  std::optional<VerticalRange> range =
      centre ? ZoomedRange(view, zoom.y, boxes.YExpPos) : std::nullopt;
  if (!centre || !range) {
    boxes.ExpPos = MiddleExpPos();
    boxes.YExpPos = MiddleYExpPos();
    centre = CentreSample(header, view, boxes);
    range = centre ? ZoomedRange(view, zoom.y, boxes.YExpPos) : std::nullopt;
    if (!centre || !range) return std::nullopt;
  }

  view.XZoom = zoom.x;
  view.YZoom = zoom.y;
  view.YTop = range->top;
  view.YBottom = range->bottom;
  return NewWindow(header, *centre, zoom.x);
}

std::optional<DrawRequest> XReset(const WaveHeader& header, ViewState& view) {
  if (!view.WaveLoaded) return std::nullopt;
  ResetZoom(view);
  // A record never has fewer than 0 points; the max only keeps the subtraction defined.
  return DrawRequest{0, std::max(header.Points, 0) - 1, header.TimeDiv};
}

}  // namespace sondrix

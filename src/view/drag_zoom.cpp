#include "view/drag_zoom.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>

#include "model/scale.h"
#include "numtext/print_form.h"
#include "numtext/rounding.h"

namespace sondrix {
namespace {

constexpr double kFullScale = double{kFullScaleTop} - kFullScaleBottom;  // 65535 counts

// Only a draw, which needs a load, sets WaveDrawn; a window of one sample has nothing to move.
bool Drawn(const ViewState& view) { return view.WaveDrawn && view.EndIndex > view.StartIndex; }

// A factor to six significant digits: the window is then the band's width to 1 part in 10^5, and
// the box holds a text the operator can read. Kept within the positive floats the zoom accepts.
double FactorText(double factor) {
  const double f = std::clamp(factor, double{FLT_MIN}, double{FLT_MAX});
  const int decimals = std::clamp(5 - static_cast<int>(std::floor(std::log10(f))), 0, 15);
  const double rounded = RoundToDecimals(f, decimals);
  return rounded > 0.0 && rounded <= FLT_MAX ? rounded : f;
}

// The zoom keeps its centre c at the fraction c / total of the new window, which `zoom` sizes to
// total / zoom: the window starts at `first` for c = first / (1 - 1 / zoom). As a fraction of
// the current window from `from` over `width`; none when the new window is the whole extent.
std::optional<double> CentreFor(double first, double from, double width, double total,
                                double zoom) {
  if (!(zoom > 1.0)) return std::nullopt;
  const double c = std::min(first / (1.0 - 1.0 / zoom), total);
  return (c - from) / width;
}

// The window `width` samples past its first moved to begin at sample `first`, and the view's
// vertical range moved to reach up to level `top`, each keeping its extent and stopping at the
// record's ends and the full scale (a range as high as the full scale stays).
DrawRequest Place(const WaveHeader& header, ViewState& view, std::int64_t width, double first,
                  double top, double timeDiv) {
  const std::int64_t last = std::max<std::int64_t>(header.Points - 1 - width, 0);
  const std::int64_t from = std::clamp<std::int64_t>(RoundClampInt32(first), 0, last);
  const double height = double{view.YTop} - view.YBottom;
  if (height < kFullScale) {
    const double highest = std::clamp(top, kFullScaleBottom + height, double{kFullScaleTop});
    view.YTop = static_cast<float>(highest);
    view.YBottom = static_cast<float>(highest - height);
  }
  return {static_cast<std::int32_t>(from), static_cast<std::int32_t>(from + width), timeDiv};
}

}  // namespace

std::optional<DrawRequest> ZoomToBand(const WaveHeader& header, ViewState& view, ZoomBoxes& boxes,
                                      const Band& band) {
  if (!Drawn(view)) return std::nullopt;
  const double left = std::clamp(band.left, 0.0, 1.0), right = std::clamp(band.right, 0.0, 1.0);
  const double top = std::clamp(band.top, 0.0, 1.0), bottom = std::clamp(band.bottom, 0.0, 1.0);
  if (!(right > left) || !(bottom > top)) return std::nullopt;

  // The traces put StartIndex at the left edge and EndIndex at the right; a zoom by Z draws
  // (Points + 1) / Z samples after the first. At least two samples stay.
  const double start = view.StartIndex, span = static_cast<double>(view.EndIndex) - view.StartIndex;
  const double first = start + left * span;
  const double samples = std::max((right - left) * span, 1.0);
  const double height = double{view.YTop} - view.YBottom;
  const double highest = view.YTop - top * height;
  const double counts = (bottom - top) * height;

  ZoomBoxes next = boxes;
  const double xFactor = FactorText((header.Points + 1.0) / samples / view.XZoom);
  const double yFactor = FactorText(kFullScale / counts / view.YZoom);
  next.ZoomRate = NumberText(xFactor);
  next.YZoomRate = NumberText(yFactor);
  // The zoom takes the sample at ExpPos whole divisions of the window from StartIndex to
  // EndIndex + 1, and the level at YExpPos divisions up the range, both measured before it.
  const float xZoom = view.XZoom * static_cast<float>(xFactor);
  if (const auto at = CentreFor(first, start, span + 1.0, header.Points, xZoom)) {
    next.ExpPos = NumberText(RoundHalfEven(*at * kDivisionsX));
  }
  const float yZoom = view.YZoom * static_cast<float>(yFactor);
  const double lowest = highest - counts - kFullScaleBottom;  // from the bottom of the full scale
  if (const auto at =
          CentreFor(lowest, double{view.YBottom} - kFullScaleBottom, height, kFullScale, yZoom)) {
    next.YExpPos = NumberText(RoundToDecimals(*at * kDivisionsY, 4));
  }

  const std::optional<DrawRequest> zoomed = Expand(header, view, next);
  boxes = next;
  if (!zoomed) return std::nullopt;
  // As wide as the zoom makes a window away from the record's ends, where it would be cut.
  const std::int64_t width = std::clamp<std::int64_t>(
      RoundClampInt32((header.Points + 1.0) / view.XZoom), 1, header.Points - 1);
  return Place(header, view, width, first, highest, zoomed->timeDiv);
}

std::optional<DrawRequest> Pan(const WaveHeader& header, ViewState& view, double across,
                               double up) {
  if (!Drawn(view) || !std::isfinite(across) || !std::isfinite(up)) return std::nullopt;
  const std::int64_t width = std::int64_t{view.EndIndex} - view.StartIndex;
  const double height = double{view.YTop} - view.YBottom;
  return Place(header, view, width, view.StartIndex + across * static_cast<double>(width),
               view.YTop + up * height, view.ShownTimeDiv);
}

}  // namespace sondrix

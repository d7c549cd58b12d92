#pragma once

#include <optional>

#include "model/view_state.h"
#include "model/wave_header.h"
#include "view/zoom.h"

namespace sondrix {

enum class WheelAxis { Time, Level };

// What the mouse wheel writes into the zoom boxes before it presses the zoom button: the factor
// 2^steps for the wheeled axis (steps < 0 zooms back out) and 1 for the other, and the two
// positions. The zoom sizes the new window from the whole record about its centre, keeping the
// centre at the fraction of the record it lies at, so the positions are chosen for what the
// operator sees: on the wheeled axis the point under the pointer stays under it (to the whole
// division the zoom rounds the time position to), and the other axis keeps its window.
//
// `pointerX` and `pointerY` are fractions of the surface's width from the left and height from
// the top. A box that does not matter (the axis shows its whole extent) keeps its text. None
// when there is nothing to zoom: no waveform drawn, no steps, or zooming out of an axis that is
// not magnified.
std::optional<ZoomBoxes> WheelZoomBoxes(const WaveHeader& header, const ViewState& view,
                                        const ZoomBoxes& boxes, WheelAxis axis, int steps,
                                        double pointerX, double pointerY);

}  // namespace sondrix

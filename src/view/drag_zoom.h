#pragma once

#include <optional>

#include "model/view_state.h"
#include "model/wave_header.h"
#include "view/zoom.h"

namespace sondrix {

// A rectangle the operator drew on the surface: fractions of its width from the left and of its
// height from the top.
struct Band {
  double left = 0.0;
  double top = 0.0;
  double right = 1.0;
  double bottom = 1.0;
};

// The rubber band: the zoom button pressed with the boxes that magnify each axis from its window
// to the band, so that the boxes, the settings file and every later press go on from what is
// shown. The factors make the window as many samples wide and the vertical range as many counts
// high as the band (to six significant digits); the positions put the band where the zoom can,
// the time position to the whole division it takes. The window and the range are then laid on the
// band exactly, within the record and the full scale. `boxes` ends as the zoom left it. None, with
// nothing changed, when there is nothing to zoom or the band has no width or no height.
std::optional<DrawRequest> ZoomToBand(const WaveHeader& header, ViewState& view, ZoomBoxes& boxes,
                                      const Band& band);

// The pan: the window moved by `across` of its width (positive: towards later samples) and the
// vertical range by `up` of its height (positive: towards higher levels), each keeping its extent
// and stopping at the record's ends and the full scale. The magnifications and the boxes stay.
// None before a draw.
std::optional<DrawRequest> Pan(const WaveHeader& header, ViewState& view, double across, double up);

}  // namespace sondrix

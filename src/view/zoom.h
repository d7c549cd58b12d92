#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/view_state.h"
#include "model/wave_header.h"

namespace sondrix {

// The four text boxes of the zoom frame, holding the texts the window starts with. Their numbers
// are read with `Val`.
struct ZoomBoxes {
  std::string ZoomRate = "2";   // X magnification applied by each press
  std::string YZoomRate = "2";  // Y magnification applied by each press
  std::string ExpPos = "5";     // X centre, divisions from the left edge (0 to 10)
  std::string YExpPos = "4";    // Y centre, divisions up from the bottom edge (0 to 8)
};

// The window the renderer is to draw next.
struct DrawRequest {
  std::int32_t start = 0;  // first sample index
  std::int32_t end = 0;    // last sample index
  double timeDiv = 0.0;    // seconds per division of the window
  friend bool operator==(const DrawRequest&, const DrawRequest&) = default;
};

// The zoom button. Multiplies the cumulative magnifications `XZoom` and `YZoom` by the factor
// boxes, narrows the vertical range about the level at `YExpPos` divisions of the current range,
// and returns the window about the sample at `ExpPos` divisions of the current window. The window
// is sized from the whole record with the cumulative factor (XZoom 2: half the record, 4: a
// quarter), clamped into the record and at least two samples long; its time per division is
// TimeDiv / XZoom. The window itself is stored by the draw that follows.
//
// Texts it cannot use are replaced, without a message: a factor that is not a positive 32-bit
// float, or whose product leaves that range, sets both factor boxes to "1" and is not applied;
// an unreadable or overflowing position sets `ExpPos` to "5" and `YExpPos` to "4"; a centre
// outside the record sets `ExpPos` to "5" and zooms about the middle of the window.
//
// Returns nullopt and changes nothing unless a waveform of at least two samples is loaded and
// drawn. Also nullopt, with the view unchanged but the boxes possibly replaced, when even the
// middle positions overflow the 32-bit arithmetic (a record of hundreds of millions of samples).
std::optional<DrawRequest> Expand(const WaveHeader& header, ViewState& view, ZoomBoxes& boxes);

// The zoom reset button: once a waveform is loaded, both magnifications back to 1, the full
// vertical range, and the whole record at the record's time per division. The boxes keep their
// texts.
std::optional<DrawRequest> XReset(const WaveHeader& header, ViewState& view);

}  // namespace sondrix

#pragma once

#include <cstdint>
#include <optional>

#include "model/view_state.h"
#include "model/wave_header.h"
#include "view/scene.h"

namespace sondrix {

// The raw count of the channel's 0 V, minus one, clamped into the 16-bit range. None when Vdiv
// is 0 (no count means 0 V then) or the level is not a number.
std::optional<std::int16_t> ReferenceLevel(const ChannelSetup& channel);

// Where a raw count lies on the surface, as a fraction of its height below the top edge, by
// the view's vertical range. None when the range has no extent.
std::optional<float> PlaceLevelMarker(const ViewState& view, std::int16_t level);

// Where the trigger lies in the window, as a fraction of the surface width; `offset` is the
// trigger's index less StartIndex, `span` EndIndex less StartIndex. None for a window of zero
// span.
std::optional<double> PlaceDelayMark(std::int64_t offset, std::int64_t span);

// The captions and marks of one drawn main trace: the channel's reference mark and V/div
// caption, the s/div caption, the trigger tick and the start, centre and end times of the
// window. Runs after the trace is plotted; with several channels the last one sets the
// shared captions last.
void LabelChannel(const WaveHeader& header, const ViewState& view, int ch, Scene& scene);

}  // namespace sondrix

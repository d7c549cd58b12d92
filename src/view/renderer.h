#pragma once

#include <cstdint>

#include "model/view_state.h"
#include "model/wave_record.h"
#include "view/scene.h"
#include "view/smoothed_window.h"
#include "view/smoothing_choice.h"

namespace sondrix {

// Draws the window start..end of the loaded waveform into `scene`: stores the window and the
// time per division shown in the view, replaces the graticule and the traces, and for every
// channel shown plots the source trace, the smoothed trace or both as the smoothing choice says,
// setting that channel's captions and marks. The smoothing step applies the width box (which may
// rewrite its text), fills `smoothed` for the window and may raise the view's EndIndex (an empty
// window). The view's vertical range is clamped to the full scale. Sets WaveDrawn.
// Does nothing and returns false before a waveform is loaded or for a window the source arrays
// do not hold.
bool DrawWaveform(const WaveRecord& record, ViewState& view, SmoothingChoice& smoothing,
                  SmoothedWindow& smoothed, Scene& scene, std::int32_t start, std::int32_t end,
                  double timeDiv);

// The graticule of 10 x 8 divisions on a black surface: drawing it clears every trace.
void DrawGraticule(Scene& scene);

}  // namespace sondrix

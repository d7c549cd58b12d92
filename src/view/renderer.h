#pragma once

#include <cstdint>

#include "model/view_state.h"
#include "model/wave_record.h"
#include "view/scene.h"
#include "view/smoothing_choice.h"

namespace sondrix {

// Draws the loaded waveform into `scene`: stores the window (start..end) and the time per
// division shown in the view, recomputes the record's TrigAddr, replaces the graticule and the
// traces, and for every channel shown plots the source trace, the smoothed trace or both as the
// smoothing choice says, setting that channel's captions and marks. Smoothing writes SmData for
// the window and may raise EndIndex (an empty window). Sets WaveDrawn.
// Does nothing and returns false before a waveform is loaded or for a window the sample
// arrays cannot hold.
bool DrawWaveform(WaveRecord& record, ViewState& view, SmoothingChoice& smoothing, Scene& scene,
                  std::int32_t start, std::int32_t end, double timeDiv);

// The graticule of 10 x 8 divisions on a black surface: drawing it clears every trace.
void DrawGraticule(Scene& scene);

}  // namespace sondrix

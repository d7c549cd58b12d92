#pragma once

#include <cstdint>

#include "model/scale.h"

namespace sondrix {

// Which part of the loaded waveform the drawing surface shows. All zero until the first load.
struct ViewState {
  std::int32_t StartIndex = 0;  // first sample of the window
  std::int32_t EndIndex = 0;    // last sample of the window; the x scale runs to it
  float ShownTimeDiv = 0.0f;    // seconds per division of the window
  float XZoom = 0.0f;           // cumulative time-axis magnification; 1 = whole record
  float YTop = 0.0f;            // raw count at the top edge of the surface
  float YBottom = 0.0f;         // raw count at the bottom edge
  float YZoom = 0.0f;           // cumulative vertical magnification; divides the V/div captions

  // Never cleared once set. Nothing is drawn before a load; zooming needs a completed draw too.
  bool WaveLoaded = false;
  bool WaveDrawn = false;
};

// Back to the whole record at unit zoom and the full 16-bit range. The time per division shown
// is stored by the next draw.
inline void ResetView(ViewState& view, std::int32_t points) {
  view.YTop = kFullScaleTop;
  view.YBottom = kFullScaleBottom;
  view.StartIndex = 0;
  view.EndIndex = points - 1;
  view.YZoom = 1.0f;
  view.XZoom = 1.0f;
}

// The zoom reset keeps the window; the draw that follows sets it.
inline void ResetZoom(ViewState& view) {
  view.XZoom = 1.0f;
  view.YZoom = 1.0f;
  view.YTop = kFullScaleTop;
  view.YBottom = kFullScaleBottom;
}

}  // namespace sondrix

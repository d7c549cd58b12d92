#pragma once

#include <string>
#include <string_view>

#include "model/scale.h"

namespace sondrix {

// The time cursor's slider: 100 steps per division across the divisions.
inline constexpr int kSliderXMin = 0;
inline constexpr int kSliderXMax = 100 * kDivisionsX;
// The level cursor's slider, minimum at the top: one step per count, over the full scale.
inline constexpr int kSliderYMin = static_cast<int>(kFullScaleBottom);
inline constexpr int kSliderYMax = static_cast<int>(kFullScaleTop);

// The drawing surface is 8000 twips wide; the cursor line's position there is a 32-bit twip
// coordinate.
inline constexpr int kSurfaceWidthTwips = 8000;

// Where a cursor line goes, and the text its position box shows then.
struct CursorPlacement {
  std::string boxText;
  double fraction =
      0.0;  // of the surface width from the left (time) or height from the top (level)
};

// The time slider moved: `ExpPos` shows value / 100 divisions ("5", "5.37").
CursorPlacement SliderXChanged(int value);

// The level slider moved: `YExpPos` shows 4 - value / 8192 divisions up ("4", "8", "3").
CursorPlacement SliderYChanged(int value);

// Enter in `ExpPos`: the time cursor goes to Val(text) divisions, where the slider would put it;
// the slider itself stays. A number the twip coordinate cannot hold (an overflowing text, or a
// position some 2.7 million divisions away) puts "5" in the box and the cursor in the middle.
CursorPlacement ExpPosEntered(std::string_view expPosText);

// The cursor reset button: the middle of each slider's range, rounded half to even (500 and 0).
// The window moves a slider only when its value differs, so a slider already there runs no change.
struct SliderValues {
  int x = 0;
  int y = 0;
};
SliderValues CentredSliders();

}  // namespace sondrix

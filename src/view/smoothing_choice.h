#pragma once

#include <cstdint>
#include <string>

namespace sondrix {

// The three display choices of the smoothing frame.
enum class SmoothingMode { SourceOnly = 0, SourceAndSmoothed = 1, SmoothedOnly = 2 };

inline constexpr std::int32_t kDefaultSmoothingWidth = 11;
inline constexpr std::int32_t kLargestSmoothingWidth = 65535;

// What the smoothing controls hold: the choice, the width box's text, and the width last read
// from it, which a width text that is not a number falls back to.
struct SmoothingChoice {
  SmoothingMode mode = SmoothingMode::SourceOnly;
  std::string widthText = "11";
  std::int32_t lastValidWidth = kDefaultSmoothingWidth;
};

// Reads the width box as a number (blanks around it allowed, rounded half to even) and returns
// the width to apply. An even width of 4 or more becomes the next odd one, since dividing
// 2 half + 1 samples by an even width would scale the trace; a width above 65,535 becomes
// 65,535; a text that is not a number gives the last valid width. In each of these cases the box
// text is rewritten to the width applied. Widths of 2 or less (negative ones too) copy the
// samples and are applied as 0 to 2.
std::int32_t ApplySmoothingWidth(SmoothingChoice& choice);

}  // namespace sondrix

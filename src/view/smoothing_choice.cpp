#include "view/smoothing_choice.h"

#include "numtext/leading_number.h"
#include "numtext/rounding.h"

namespace sondrix {

std::int32_t ApplySmoothingWidth(SmoothingChoice& choice) {
  const std::optional<double> parsed = ParseStrict(choice.widthText);
  if (!parsed) {
    choice.widthText = std::to_string(choice.lastValidWidth);
    return choice.lastValidWidth;
  }
  const double rounded = RoundHalfEven(*parsed);
  std::int32_t width = 0;  // every width of 2 or less copies; the box keeps what was typed
  if (rounded > kLargestSmoothingWidth) {
    width = kLargestSmoothingWidth;
  } else if (rounded > 2) {
    width = static_cast<std::int32_t>(rounded);
    if (width % 2 == 0) width += 1;
  } else if (rounded > 0) {
    width = static_cast<std::int32_t>(rounded);
  }
  if (width > 2 && width != rounded) choice.widthText = std::to_string(width);
  choice.lastValidWidth = width;
  return width;
}

}  // namespace sondrix

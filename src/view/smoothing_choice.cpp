#include "view/smoothing_choice.h"

#include "numtext/leading_number.h"
#include "numtext/rounding.h"

namespace sondrix {

std::int32_t ApplySmoothingWidth(SmoothingChoice& choice) {
  const auto parsed = ParseStrict(choice.widthText);
  const auto read = parsed ? RoundToInt32(*parsed) : std::nullopt;
  std::int32_t width = read.value_or(choice.lastValidWidth);
  if (width > kLargestSmoothingWidth) {
    width = kLargestSmoothingWidth;
  } else if (width >= 4 && width % 2 == 0) {
    width += 1;
  }
  if (!read || width != *read) choice.widthText = std::to_string(width);
  choice.lastValidWidth = width;
  return width;
}

}  // namespace sondrix

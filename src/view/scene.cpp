#include "view/scene.h"

namespace sondrix {

double TraceScale::xFraction(double index) const {
  const double span = static_cast<double>(right) - left;
  return span == 0.0 ? 0.0 : (index - left) / span;
}

double TraceScale::yFraction(double value) const {
  const double span = static_cast<double>(top) - bottom;
  return span == 0.0 ? 0.5 : (top - value) / span;
}

Scene InitialScene() {
  Scene scene;
  for (std::size_t ch = 0; ch < kChannelCount; ++ch) {
    scene.vdivLabels[ch] = {"Ch" + std::to_string(ch + 1) + ":99.9 V/div", true,
                            kChannelColours[ch]};
  }
  scene.tdivLabel.text = "s/div";
  return scene;
}

}  // namespace sondrix

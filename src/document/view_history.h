#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "model/view_state.h"
#include "view/zoom.h"

namespace sondrix {

// One view the operator saw: which part of the record was shown, and the zoom boxes as they then
// stood (none when no zoom has written them since the load).
struct ShownView {
  ViewState view;
  std::optional<ZoomBoxes> boxes;
};

// The views shown since the last load, to go back and forth through: every change of the view is
// one step, a change made after going back drops the steps ahead, and the oldest steps go once
// there are more than `kSteps`.
class ViewHistory {
 public:
  static constexpr std::size_t kSteps = 100;

  // A load: the view it shows is the only step.
  void restart(const ShownView& first);
  // A change of the view. The same window and range as the current step replace only its boxes;
  // `sameStep` replaces the current step (the steps of one drag are one).
  void record(const ShownView& shown, bool sameStep = false);
  // The step before or after the current one, which becomes current; none at either end.
  std::optional<ShownView> back();
  std::optional<ShownView> forward();

 private:
  std::vector<ShownView> steps_;
  std::size_t current_ = 0;
};

}  // namespace sondrix

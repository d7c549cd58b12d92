#include "document/view_history.h"

#include <tuple>

namespace sondrix {
namespace {

// What the surface shows of a view; the flags and the boxes do not change the picture.
auto Shown(const ViewState& v) {
  return std::tie(v.StartIndex, v.EndIndex, v.ShownTimeDiv, v.XZoom, v.YTop, v.YBottom, v.YZoom);
}

}  // namespace

void ViewHistory::restart(const ShownView& first) {
  steps_.assign(1, first);
  current_ = 0;
}

void ViewHistory::record(const ShownView& shown, bool sameStep) {
  if (steps_.empty()) return restart(shown);
  steps_.resize(current_ + 1);
  ShownView& last = steps_.back();
  if (Shown(last.view) == Shown(shown.view)) {
    last.boxes = shown.boxes;
    return;
  }
  if (sameStep) {
    last = shown;
    return;
  }
  if (steps_.size() == kSteps) steps_.erase(steps_.begin());
  steps_.push_back(shown);
  current_ = steps_.size() - 1;
}

std::optional<ShownView> ViewHistory::back() {
  if (current_ == 0 || steps_.empty()) return std::nullopt;
  return steps_[--current_];
}

std::optional<ShownView> ViewHistory::forward() {
  if (current_ + 1 >= steps_.size()) return std::nullopt;
  return steps_[++current_];
}

}  // namespace sondrix

#pragma once

#include <utility>

namespace sondrix {

// Runs `onExit` when the scope ends, however it ends: by its last line, a return or an escaping
// failure. The window's commands put back what they changed for their duration with it (the
// current directory, held buttons, the Start button during a run).
template <typename OnExit>
class ScopeExit {
 public:
  explicit ScopeExit(OnExit onExit) : onExit_(std::move(onExit)) {}
  ~ScopeExit() { onExit_(); }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

 private:
  OnExit onExit_;
};

}  // namespace sondrix

#pragma once

#include <string_view>

namespace sondrix {

// How the core reports to whoever shows it: the window's status bar and progress bar, the
// converter's terminal, or a test's recorder. Long operations call pumpEvents() at their fixed
// points so that the window stays alive.
struct UiSink {
  virtual ~UiSink() = default;
  virtual void message(std::string_view text) = 0;  // status-bar panel 1: the current step
  virtual void detail(std::string_view text) = 0;   // panel 2: a file name or a count
  virtual void progress(int value) = 0;
  virtual int progressMax() const = 0;
  virtual void pumpEvents() = 0;
};

// For callers that want no reports.
struct NullSink final : UiSink {
  void message(std::string_view) override {}
  void detail(std::string_view) override {}
  void progress(int) override {}
  int progressMax() const override { return 100; }
  void pumpEvents() override {}
};

}  // namespace sondrix

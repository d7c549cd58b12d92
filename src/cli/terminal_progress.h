#pragma once

#include <cstdio>
#include <string>

#include "model/ui_sink.h"

namespace sondrix::cli {

// The converter's face: status texts are not shown (the exit status and stderr lines say what
// happened); progress becomes a bar on stderr when stderr is a terminal.
class TerminalProgress final : public UiSink {
 public:
  explicit TerminalProgress(bool enabled) : enabled_(enabled) {}
  ~TerminalProgress() override { finish(); }

  static bool StderrIsTerminal();

  void setLabel(std::string label) { label_ = std::move(label); }
  void finish();  // clears the bar's line

  void message(std::string_view) override {}
  void detail(std::string_view) override {}
  void progress(int value) override;
  int progressMax() const override { return kMax; }
  void pumpEvents() override {}

 private:
  static constexpr int kMax = 1000;
  bool enabled_;
  bool shown_ = false;
  std::string label_;
};

}  // namespace sondrix::cli

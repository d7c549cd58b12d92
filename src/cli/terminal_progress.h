#pragma once

#include <chrono>
#include <cstddef>
#include <cstdio>

namespace sondrix::cli {

// The converter's progress bar on a terminal (stderr, when it is one): it counts files, and the
// bar also moves with the parts of files in work, so that one large capture shows its pace.
class TerminalProgress {
 public:
  // Null: no bar.
  explicit TerminalProgress(std::FILE* terminal) : terminal_(terminal) {}
  ~TerminalProgress() { finish(); }
  TerminalProgress(const TerminalProgress&) = delete;
  TerminalProgress& operator=(const TerminalProgress&) = delete;

  static bool StderrIsTerminal();

  // `filesDone` (whole and partly done files) of `files`. Redrawn when a file is finished, else
  // at most ten times a second: the terminal is not worth more.
  void show(double filesDone, std::size_t files);
  void finish();  // clears the bar's line, for a line of text to follow

 private:
  std::FILE* terminal_;
  bool shown_ = false;
  std::size_t shownWhole_ = 0;
  std::chrono::steady_clock::time_point shownAt_{};
};

}  // namespace sondrix::cli

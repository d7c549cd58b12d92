#pragma once

#include <string_view>

namespace sondrix::cli {

// The program's standard output, checked as a shell's tools check theirs: a write that failed
// (a full disk, a closed pipe's reader gone) is an error of the run, not silence. The failure may
// show only when the buffer is flushed at the end, so close() must come last.
class StandardOutput {
 public:
  void write(std::string_view text);
  // Hands what was written so far on to the reader.
  void flush();
  // Flushes and closes standard output: 0, or the errno of the first failure.
  int close();

 private:
  int error_ = 0;  // the first failed write's errno
};

}  // namespace sondrix::cli

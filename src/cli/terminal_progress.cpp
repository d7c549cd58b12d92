#include "cli/terminal_progress.h"

#include <algorithm>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace sondrix::cli {

bool TerminalProgress::StderrIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(STDERR_FILENO) != 0;
#endif
}

void TerminalProgress::progress(int value) {
  if (!enabled_) return;
  constexpr int width = 30;
  const int clamped = std::clamp(value, 0, kMax);
  const int filled = clamped * width / kMax;
  std::string bar(static_cast<std::size_t>(filled), '#');
  bar.resize(width, ' ');
  std::fprintf(stderr, "\r[%s] %3d%% %s", bar.c_str(), clamped * 100 / kMax, label_.c_str());
  std::fflush(stderr);
  shown_ = true;
}

void TerminalProgress::finish() {
  if (!shown_) return;
  std::fprintf(stderr, "\r\033[K");
  std::fflush(stderr);
  shown_ = false;
}

}  // namespace sondrix::cli

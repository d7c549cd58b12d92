#include "cli/terminal_progress.h"

#include <algorithm>
#include <string>

#ifdef _WIN32
#include "io/windows_api.h"
#else
#include <unistd.h>
#endif

namespace sondrix::cli {

bool TerminalProgress::StderrIsTerminal() {
#ifdef _WIN32
  // _isatty holds for any character device, NUL too; only a console has a console mode. The bar
  // clears its line with an escape sequence, which a console acts on only when asked to.
  const HANDLE err = ::GetStdHandle(STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (err == INVALID_HANDLE_VALUE || ::GetConsoleMode(err, &mode) == 0) return false;
  return (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0 ||
         ::SetConsoleMode(err, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
#else
  return isatty(STDERR_FILENO) != 0;
#endif
}

void TerminalProgress::show(double filesDone, std::size_t files) {
  if (terminal_ == nullptr || files == 0) return;
  const double total = static_cast<double>(files);
  const double done = std::clamp(filesDone, 0.0, total);
  const auto whole = static_cast<std::size_t>(done);
  const auto now = std::chrono::steady_clock::now();
  if (shown_ && whole == shownWhole_ && now - shownAt_ < std::chrono::milliseconds(100)) return;
  constexpr int width = 30;
  std::string bar(static_cast<std::size_t>(done / total * width), '#');
  bar.resize(width, ' ');
  std::fprintf(terminal_, "\r[%s] %zu/%zu", bar.c_str(), whole, files);
  std::fflush(terminal_);
  shown_ = true;
  shownWhole_ = whole;
  shownAt_ = now;
}

void TerminalProgress::finish() {
  if (!shown_) return;
  std::fprintf(terminal_, "\r\033[K");
  std::fflush(terminal_);
  shown_ = false;
}

}  // namespace sondrix::cli

#include "cli/standard_output.h"

#include <cerrno>
#include <cstdio>

namespace sondrix::cli {

void StandardOutput::write(std::string_view text) {
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() && error_ == 0) {
    error_ = errno != 0 ? errno : EIO;
  }
}

void StandardOutput::flush() {
  if (std::fflush(stdout) != 0 && error_ == 0) error_ = errno != 0 ? errno : EIO;
}

int StandardOutput::close() {
  errno = 0;
  if (std::fflush(stdout) != 0 && error_ == 0) error_ = errno;
  // Text written past this object (the usage text) may have failed earlier without telling.
  if (std::ferror(stdout) && error_ == 0) error_ = errno != 0 ? errno : EIO;
  // A standard output that was never open is no error when nothing was written to it.
  if (std::fclose(stdout) != 0 && error_ == 0 && errno != EBADF) error_ = errno;
  return error_;
}

}  // namespace sondrix::cli

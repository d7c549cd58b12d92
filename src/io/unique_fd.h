#pragma once

#include <cerrno>
#include <utility>

#include <unistd.h>

namespace sondrix {

// One open file descriptor, closed when its owner goes.
class UniqueFd {
 public:
  UniqueFd() = default;
  ~UniqueFd() { reset(); }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  void reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }
  // Closes the descriptor and tells whether the system reported an error on it (0 or an errno).
  int close() {
    const int fd = std::exchange(fd_, -1);
    return fd >= 0 && ::close(fd) != 0 ? errno : 0;
  }

 private:
  int fd_ = -1;
};

}  // namespace sondrix

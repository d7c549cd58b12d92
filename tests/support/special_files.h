#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace sondrix::testing {

inline bool MakeFifo(const std::filesystem::path& path) {
  return ::mkfifo(path.c_str(), 0600) == 0;
}

// A character device node such as /dev/null (1, 3) or /dev/full (1, 7) in the test's own folder,
// so that a fault cannot replace the system's; false where the test may not make one (not root).
inline bool MakeCharDevice(const std::filesystem::path& path, unsigned major, unsigned minor) {
  return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(major, minor)) == 0;
}

// Reads all that a writer sends through a FIFO on a thread of its own, never waiting for a writer
// that does not come: until one has come, Linux reports neither data nor a hang-up to poll.
class FifoReader {
 public:
  explicit FifoReader(const std::filesystem::path& path)
      : fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)), thread_([this] {
          std::array<char, 65536> buffer{};
          pollfd p{fd_, POLLIN, 0};
          for (ssize_t n = 1; n != 0 && ::poll(&p, 1, 30'000) > 0;) {
            n = ::read(fd_, buffer.data(), buffer.size());
            if (n > 0) text_.append(buffer.data(), static_cast<std::size_t>(n));
          }
        }) {}
  ~FifoReader() { text(); }

  // What was read, once the writer has closed (or after 30 s without a byte).
  const std::string& text() {
    if (thread_.joinable()) thread_.join();
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    return text_;
  }

 private:
  int fd_;
  std::string text_;
  std::thread thread_;
};

}  // namespace sondrix::testing

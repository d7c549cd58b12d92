#pragma once

#include <filesystem>

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

}  // namespace sondrix::testing

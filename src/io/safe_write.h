#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <system_error>

#include <sys/stat.h>

#include "io/unique_fd.h"

namespace sondrix {

struct CleanupEntry;

// What a write does when its path, links followed, names something other than a regular file.
enum class NonRegularTarget {
  Refuse,  // nothing is written: the window's files
  // A character device or a FIFO is written in place as a stream (anything else is refused):
  // the converter, so that /dev/stdout, /dev/null or a pipe can take its output.
  Stream,
};

struct WriteRules {
  NonRegularTarget nonRegular = NonRegularTarget::Refuse;
  // The file being written has no name until it is complete where the system allows it, so that
  // not even KILL leaves it behind; false names it from the start, as other systems must.
  bool unnamedTemp = true;
};

// True for "-" and for a path that names this process's standard output.
bool IsStandardOutput(const std::filesystem::path& path);

// A file that appears under its name only when complete. A symbolic link is followed (unless
// another user planted it in a shared folder: FollowLinks), and what it names is replaced at once
// from a temporary file in that folder, which takes the old file's permission bits and, where the
// process may, its owner and group. A path that names something other than a regular file or
// nothing is never replaced, nor a file that the process may not write. Every error is the
// system's, or NotRegularFileError(). On Windows a link is replaced rather than followed, the new
// file has the folder's default rights, and only SIGINT and SIGTERM remove a temporary.
class SafeFile {
 public:
  SafeFile() = default;
  ~SafeFile() { discard(); }
  SafeFile(const SafeFile&) = delete;
  SafeFile& operator=(const SafeFile&) = delete;

  // With NonRegularTarget::Stream, "-" is standard output; opening a FIFO waits for its reader.
  std::error_code open(const std::filesystem::path& path, WriteRules rules = {});
  std::error_code write(const void* data, std::size_t size);
  // Tells the file system how large the file is likely to become, where setting the room aside
  // at once makes the writes cheaper. A guess: the file ends at what was written, more or less.
  void reserve(std::uint64_t bytes);
  // Gives the file its name, replacing the old file; a stream is closed. Until this succeeds,
  // the file is removed when the SafeFile goes, or when SIGINT, SIGTERM or SIGHUP ends the
  // process while the file has a temporary name.
  std::error_code commit();

 private:
  enum class Kind { Closed, Stream, Unnamed, Named };

  std::error_code openStream(const std::filesystem::path& path, bool fifo);
  std::error_code createTemp(bool unnamed, const struct stat* old);
  std::error_code nameUnnamed();
  void discard();

  UniqueFd fd_;
  Kind kind_ = Kind::Closed;
  std::uint64_t written_ = 0;
  bool reserved_ = false;            // the file may be longer than what was written, until commit()
  std::filesystem::path target_;     // the regular file replaced, links followed
  std::filesystem::path temp_;       // the temporary name, while there is one
  CleanupEntry* cleanup_ = nullptr;  // where the signal handler finds `temp_`
};

}  // namespace sondrix

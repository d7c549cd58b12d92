#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "io/unique_fd.h"

namespace sondrix {

// One file of a followed folder as a listing sees it.
struct FolderEntry {
  std::string name;
  std::int64_t size = 0;
  std::int64_t modified = 0;  // a rewrite of the same size is a change too
};

// The regular files of `folder` (links to them included) whose names `wanted` takes, in no
// particular order. FIFOs and devices are left out: reading one could wait forever. A folder that
// cannot be listed gives nothing.
std::vector<FolderEntry> ListFolder(const std::filesystem::path& folder,
                                    const std::function<bool(std::string_view name)>& wanted);

// What the kernel said of a watched folder since it was last asked.
struct FolderChanges {
  bool any = false;  // something changed: list the folder again
  std::vector<std::string>
      closed;  // files closed after writing, complete as far as the writer knows
};

// The kernel's notice of changes in one folder, so that a follower sleeps while nothing happens:
// inotify on Linux. Elsewhere, when the kernel refuses, or when polling is asked for, there is no
// notice and the follower lists the folder once a second instead.
class FolderWatch {
 public:
  explicit FolderWatch(const std::filesystem::path& folder, bool poll = false);

  bool notifies() const { return fd_.valid(); }
  // Readable when something happened; -1 without notice.
  int descriptor() const { return fd_.get(); }
  // What happened since the last call, without waiting.
  FolderChanges take();

 private:
  UniqueFd fd_;
};

}  // namespace sondrix

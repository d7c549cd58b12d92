#include "io/folder_watch.h"

#include <array>
#include <chrono>
#include <cstring>
#include <system_error>

#include "io/utf8_path.h"

#ifdef __linux__
#include <sys/inotify.h>
#endif

namespace sondrix {

std::vector<FolderEntry> ListFolder(const std::filesystem::path& folder,
                                    const std::function<bool(std::string_view name)>& wanted) {
  namespace fs = std::filesystem;
  std::vector<FolderEntry> files;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = Utf8Path(it->path().filename());
    if (!wanted(name)) continue;
    std::error_code ignored;
    if (!it->is_regular_file(ignored)) continue;  // follows links, so a link to a capture counts
    const std::uintmax_t size = it->file_size(ignored);
    if (ignored) continue;  // gone meanwhile
    const auto modified = it->last_write_time(ignored).time_since_epoch();
    files.push_back({name, static_cast<std::int64_t>(size),
                     std::chrono::duration_cast<std::chrono::nanoseconds>(modified).count()});
  }
  return files;
}

FolderWatch::FolderWatch(const std::filesystem::path& folder, bool poll) {
#ifdef __linux__
  if (poll) return;
  fd_.reset(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
  if (!fd_.valid()) return;
  constexpr std::uint32_t kEvents = IN_CREATE | IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_TO |
                                    IN_MOVED_FROM | IN_DELETE | IN_ATTRIB | IN_DELETE_SELF |
                                    IN_MOVE_SELF;
  if (::inotify_add_watch(fd_.get(), folder.c_str(), kEvents) < 0) fd_.reset();
#else
  static_cast<void>(folder);
  static_cast<void>(poll);
#endif
}

FolderChanges FolderWatch::take() {
  FolderChanges changes;
#ifdef __linux__
  if (!fd_.valid()) return changes;
  alignas(inotify_event) std::array<char, 16384> buffer;
  for (;;) {
    const ssize_t got = ::read(fd_.get(), buffer.data(), buffer.size());
    if (got <= 0) break;  // EAGAIN: nothing more for now
    changes.any = true;
    for (std::size_t at = 0; at + sizeof(inotify_event) <= static_cast<std::size_t>(got);) {
      inotify_event event;
      std::memcpy(&event, buffer.data() + at, sizeof event);
      const char* name = buffer.data() + at + sizeof(inotify_event);
      // A rename into the folder brings a file complete, as a close after writing does.
      if ((event.mask & (IN_CLOSE_WRITE | IN_MOVED_TO)) != 0 && event.len > 0) {
        changes.closed.emplace_back(name, ::strnlen(name, event.len));
      }
      at += sizeof(inotify_event) + event.len;
    }
  }
#endif
  return changes;
}

}  // namespace sondrix

#include "io/link_walk.h"

#include <cerrno>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "io/file_kind.h"

namespace sondrix {
namespace {

class LinkCategory final : public std::error_category {
 public:
  const char* name() const noexcept override { return "link"; }
  std::string message(int) const override {
    return "a link that another user owns in a world-writable sticky folder is not followed";
  }
};

#ifndef _WIN32
// As many links as Linux itself follows before it gives up with ELOOP.
constexpr int kMaxLinks = 40;

// The system's rule: the folder that holds the link, as the link's own name reaches it.
bool trusted(const std::filesystem::path& link, const struct stat& linkStat) {
  const std::filesystem::path folder = link.parent_path().empty() ? "." : link.parent_path();
  struct stat dir {};
  // A folder that cannot be looked at cannot be a shared one that we write through.
  if (::stat(folder.c_str(), &dir) != 0) return true;
  const bool shared = (dir.st_mode & S_ISVTX) != 0 && (dir.st_mode & S_IWOTH) != 0;
  return !shared || linkStat.st_uid == ::geteuid() || linkStat.st_uid == dir.st_uid;
}
#endif

}  // namespace

std::error_code UntrustedLinkError() {
  static const LinkCategory category;
  return {1, category};
}

#ifndef _WIN32
std::error_code FollowLinks(const std::filesystem::path& path, LinkEnd& end) {
  end = LinkEnd{};
  end.path = path;
  for (int hops = 0;; ++hops) {
    if (::lstat(end.path.c_str(), &end.st) != 0) {
      if (errno != ENOENT) return LastSystemError();
      end.exists = false;
      return {};
    }
    if (!S_ISLNK(end.st.st_mode)) {
      end.exists = true;
      return {};
    }
    if (!trusted(end.path, end.st)) {
      end.untrusted = end.path;
      return UntrustedLinkError();
    }
    if (hops == kMaxLinks) return {ELOOP, std::generic_category()};
    std::error_code ec;
    const std::filesystem::path to = std::filesystem::read_symlink(end.path, ec);
    if (ec) return ec;
    end.path = to.is_absolute() ? to : end.path.parent_path() / to;
  }
}

std::error_code CheckLinks(const std::filesystem::path& path) {
  LinkEnd end;
  return FollowLinks(path, end);
}
#else
std::error_code CheckLinks(const std::filesystem::path&) { return {}; }
#endif

}  // namespace sondrix

#pragma once

#include <filesystem>
#include <system_error>

#include <sys/stat.h>

namespace sondrix {

// The reason given for a link that is not followed: another user's link in a world-writable
// sticky folder (such as /tmp) could point a write anywhere that user chooses.
std::error_code UntrustedLinkError();

#ifndef _WIN32
// Where a chain of symbolic links ends: the path it names, which may not exist yet.
struct LinkEnd {
  std::filesystem::path path;
  bool exists = false;
  struct stat st {};                // of `path`, when it exists
  std::filesystem::path untrusted;  // the link not followed, with UntrustedLinkError()
};

// Follows the links from `path` one hop at a time, as the system's protected-links rule would:
// a link that lies in a world-writable sticky folder is followed only when it belongs to the
// process's effective user or to that folder's owner, so that no other user can point a write
// of ours at a file of their choosing. Gives up with ELOOP after as many links as the system
// follows. Empty on success, else the system's reason or UntrustedLinkError().
std::error_code FollowLinks(const std::filesystem::path& path, LinkEnd& end);
#endif

// Empty when every link from `path` on may be followed (always on Windows, where links are not
// followed); else the reason, as FollowLinks gives it.
std::error_code CheckLinks(const std::filesystem::path& path);

}  // namespace sondrix

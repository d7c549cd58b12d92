#include "cli/output_claims.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <functional>
#include <optional>
#include <system_error>
#include <unordered_map>

#ifdef _WIN32
#include "io/windows_api.h"
#else
#include <sys/stat.h>
#endif

#include "cli/messages.h"
#include "cli/quoted_name.h"
#include "io/link_walk.h"

namespace sondrix::cli {
namespace {

struct FileId {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  bool operator==(const FileId&) const = default;
};

struct FileIdHash {
  std::size_t operator()(const FileId& id) const {
    return std::hash<std::uint64_t>{}(id.inode * 0x9E3779B97F4A7C15u ^ id.device);
  }
};

using Place = std::filesystem::path::string_type;

// What one path leads to: the file (when it exists) and its place.
struct FileKeys {
  std::optional<FileId> id;
  Place place;
  std::filesystem::path linkEnd;    // the file a link leads to, when it is a regular one
  std::filesystem::path untrusted;  // a link that is not followed (FollowLinks)
};

// What the capture reader takes as a capture: its first line, whose first two bytes it skips,
// is the model line. A CSV file of ours starts "ModelName," instead.
bool holdsCapture(const std::filesystem::path& path) {
  constexpr std::string_view kModelLine = "delName = ";
  std::array<char, 2 + kModelLine.size()> head{};
  std::ifstream file(path, std::ios::binary);
  if (!file.read(head.data(), head.size())) return false;
  return std::string_view(head.data() + 2, kModelLine.size()) == kModelLine;
}

#ifdef _WIN32
// The volume's serial number and the file's index, links followed: what Windows has for an inode.
std::optional<FileId> fileIdOf(const std::filesystem::path& path) {
  // No access asked for: the attributes alone; backup semantics let a folder open too.
  const HANDLE file =
      ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = ::GetFileInformationByHandle(file, &info) != 0;
  ::CloseHandle(file);
  if (!known) return std::nullopt;
  return FileId{info.dwVolumeSerialNumber,
                (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

// Windows' names ignore case: a place is kept in the case its file system folds names to.
Place placeOf(const std::filesystem::path& path) {
  Place place = path.native();
  if (!place.empty() && place.size() <= MAXDWORD) {
    ::CharUpperBuffW(place.data(), static_cast<DWORD>(place.size()));
  }
  return place;
}
#else
Place placeOf(const std::filesystem::path& path) { return path.native(); }
#endif

// Keys of paths, resolving each folder spelling once: a batch names few folders, many times.
class KeyMaker {
 public:
  FileKeys keysOf(const std::filesystem::path& path) {
    FileKeys keys;
    bool link = false;
#ifndef _WIN32
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) {
      link = S_ISLNK(st.st_mode);
      if (link) return linkKeys(path);
      keys.id =
          FileId{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    }
#else
    std::error_code ignored;
    link = std::filesystem::is_symlink(std::filesystem::symlink_status(path, ignored));
    keys.id = fileIdOf(path);
#endif
    keys.place = placeOfName(path, link);
    return keys;
  }

 private:
#ifndef _WIN32
  // A link is followed hop by hop to where it ends, there or not: two links to one missing name
  // meet there, as their writes would.
  FileKeys linkKeys(const std::filesystem::path& path) {
    FileKeys keys;
    LinkEnd end;
    if (const std::error_code ec = FollowLinks(path, end)) {
      // A loop or an unreadable link fails when it is written; the untrusted one is refused now.
      if (ec == UntrustedLinkError()) keys.untrusted = end.untrusted;
      keys.place = placeOfName(path, true);
      return keys;
    }
    if (end.exists) {
      keys.id = FileId{static_cast<std::uint64_t>(end.st.st_dev),
                       static_cast<std::uint64_t>(end.st.st_ino)};
      if (S_ISREG(end.st.st_mode)) keys.linkEnd = end.path;
    }
    keys.place = placeOfName(end.path, false);
    return keys;
  }
#endif
  Place placeOfName(const std::filesystem::path& path, bool link) {
    const std::filesystem::path name = path.filename();
    if (link || name.empty() || name == "." || name == "..") {
      return placeOf(canonical(path));  // the name itself must be resolved
    }
    return placeOf(folder(path.parent_path()) / name);
  }
  static std::filesystem::path canonical(const std::filesystem::path& path) {
    std::error_code ec;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(path, ec);
    if (ec) resolved = std::filesystem::absolute(path, ec).lexically_normal();
    return resolved;
  }
  const std::filesystem::path& folder(const std::filesystem::path& spelled) {
    auto [at, added] = folders_.try_emplace(spelled.native());
    if (added) at->second = canonical(spelled.empty() ? std::filesystem::path(".") : spelled);
    return at->second;
  }

  std::unordered_map<std::filesystem::path::string_type, std::filesystem::path> folders_;
};

// The files of one kind met so far, each known by the first index that named it.
class Seen {
 public:
  void add(const FileKeys& keys, std::size_t index) {
    if (keys.id) ids_.try_emplace(*keys.id, index);
    places_.try_emplace(keys.place, index);
  }
  std::optional<std::size_t> find(const FileKeys& keys) const {
    std::optional<std::size_t> found;
    if (keys.id) {
      if (auto at = ids_.find(*keys.id); at != ids_.end()) found = at->second;
    }
    if (auto at = places_.find(keys.place); at != places_.end()) {
      if (!found || at->second < *found) found = at->second;
    }
    return found;
  }

 private:
  std::unordered_map<FileId, std::size_t, FileIdHash> ids_;
  std::unordered_map<Place, std::size_t> places_;
};

bool same(const FileKeys& a, const FileKeys& b) {
  return (a.id && a.id == b.id) || a.place == b.place;
}

}  // namespace

std::vector<std::string> CheckOutputs(const std::vector<std::filesystem::path>& inputs,
                                      const std::vector<std::filesystem::path>& outputs) {
  KeyMaker keys;
  std::vector<FileKeys> inputKeys;
  inputKeys.reserve(inputs.size());
  Seen seenInputs;
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    inputKeys.push_back(keys.keysOf(inputs[i]));
    seenInputs.add(inputKeys.back(), i);
  }
  std::vector<std::string> reasons(outputs.size());
  Seen claimed;
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    const FileKeys output = keys.keysOf(outputs[i]);
    const std::string what =
        cli_messages::kTheOutput + QuotedPath(outputs[i]) + cli_messages::kWouldReplace;
    if (!output.untrusted.empty()) {
      reasons[i] = cli_messages::kTheOutput + QuotedPath(outputs[i]) +
                   cli_messages::kLinkNotFollowed + QuotedPath(output.untrusted) +
                   cli_messages::kLinkOfAnotherUser;
    } else if (i < inputKeys.size() && same(output, inputKeys[i])) {
      reasons[i] = what + cli_messages::kTheInput;
    } else if (const auto input = seenInputs.find(output)) {
      reasons[i] = what + QuotedPath(inputs[*input]);
    } else if (!output.linkEnd.empty() && holdsCapture(output.linkEnd)) {
      // A link may lead anywhere; a capture that is not an input of the run is not ours to lose.
      reasons[i] = what + cli_messages::kTheCapture + QuotedPath(output.linkEnd);
    } else if (const auto earlier = claimed.find(output)) {
      reasons[i] = what + cli_messages::kTheOutputOf + QuotedPath(inputs[*earlier]);
    } else {
      claimed.add(output, i);  // a refused file writes nothing, so it claims nothing
    }
  }
  return reasons;
}

}  // namespace sondrix::cli

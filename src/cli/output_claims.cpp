#include "cli/output_claims.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <system_error>
#include <unordered_map>

#ifndef _WIN32
#include <sys/stat.h>
#endif

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

// What one path leads to: the file (when it exists) and its place.
struct FileKeys {
  std::optional<FileId> id;
  std::string place;
};

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
      if (!link || ::stat(path.c_str(), &st) == 0) {
        keys.id =
            FileId{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
      }
    }
#else
    // No inode to be had cheaply: the place alone decides.
    std::error_code ignored;
    link = std::filesystem::is_symlink(std::filesystem::symlink_status(path, ignored));
#endif
    const std::filesystem::path name = path.filename();
    if (link || name.empty() || name == "." || name == "..") {
      keys.place = canonical(path).string();  // the name itself must be resolved
    } else {
      keys.place = (folder(path.parent_path()) / name).string();
    }
    return keys;
  }

 private:
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
  std::unordered_map<std::string, std::size_t> places_;
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
    const std::string what = "the output " + outputs[i].string() + " would replace ";
    if (i < inputKeys.size() && same(output, inputKeys[i])) {
      reasons[i] = what + "the input";
    } else if (const auto input = seenInputs.find(output)) {
      reasons[i] = what + inputs[*input].string();
    } else if (const auto earlier = claimed.find(output)) {
      reasons[i] = what + "the output of " + inputs[*earlier].string();
    } else {
      claimed.add(output, i);  // a refused file writes nothing, so it claims nothing
    }
  }
  return reasons;
}

}  // namespace sondrix::cli

#include "cli/file_list.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <memory>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "cli/messages.h"
#include "cli/quoted_name.h"
#include "io/utf8_path.h"

namespace sondrix::cli {

#ifdef _WIN32
// Long paths reach 32767 UTF-16 units; their UTF-8 is at most that many bytes for most names.
const std::size_t FileListParser::kMaxName = 32767;
#else
const std::size_t FileListParser::kMaxName = PATH_MAX - 1;  // PATH_MAX counts the final NUL
#endif

bool FileListParser::feed(std::string_view piece) {
  if (!error_.empty()) return false;
  const char end = nulSeparated_ ? '\0' : '\n';
  while (!piece.empty()) {
    const std::size_t at = piece.find(end);
    const std::string_view part = piece.substr(0, at);
    // A NUL would cut the name short where the system reads it.
    if (!nulSeparated_ && part.find('\0') != std::string_view::npos) {
      return fail(cli_messages::kHoldsNul);
    }
    // One byte more than a name may have: the CR before a line's LF.
    if (part.size() > kMaxName + 1 - partial_.size()) return fail(tooLong());
    partial_.append(part);
    if (at == std::string_view::npos) break;
    piece.remove_prefix(at + 1);
    if (!endEntry()) return false;
  }
  return true;
}

bool FileListParser::finish() {
  if (error_.empty() && !partial_.empty()) endEntry();
  return error_.empty();
}

std::string FileListParser::tooLong() const {
  return cli_messages::kLongerThan + std::to_string(kMaxName) + cli_messages::kLongerThanEnd;
}

bool FileListParser::endEntry() {
  std::string_view name = partial_;
  if (!nulSeparated_ && name.ends_with('\r')) name.remove_suffix(1);
  if (name.size() > kMaxName) return fail(tooLong());
  if (name.empty()) {
    if (++emptyInARow_ > kMaxName) {
      return fail(
          cli_messages::kMoreThan + std::to_string(kMaxName) +
          (nulSeparated_ ? cli_messages::kEmptyNamesInARow : cli_messages::kEmptyLinesInARow));
    }
  } else {
    emptyInARow_ = 0;
    if (names_.size() == kMaxNames) {
      return fail(cli_messages::kMoreThan + std::to_string(kMaxNames) +
                  cli_messages::kTooManyNames);
    }
    names_.emplace_back(name);
  }
  partial_.clear();
  ++entry_;
  return true;
}

bool FileListParser::fail(const std::string& what) {
  error_ = (nulSeparated_ ? cli_messages::kListEntry : cli_messages::kListLine) +
           std::to_string(entry_) + ": " + what;
  return false;
}

namespace {

std::FILE* openList(const std::string& name) {
#ifdef _WIN32
  return ::_wfopen(PathFromUtf8(name).c_str(), L"rb");
#else
  return std::fopen(name.c_str(), "rb");
#endif
}

}  // namespace

std::optional<std::vector<std::string>> ReadFileList(const std::string& source, bool nulSeparated,
                                                     std::string& error) {
  const bool standardInput = source == "-";
#ifdef _WIN32
  // In text mode a Ctrl-Z would end the list early.
  if (standardInput) ::_setmode(_fileno(stdin), _O_BINARY);
#endif
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> owned(standardInput ? nullptr : openList(source),
                                                        &std::fclose);
  std::FILE* in = standardInput ? stdin : owned.get();
  const auto failed = [&](const std::string& why) -> std::optional<std::vector<std::string>> {
    error = cli_messages::kTheList + QuotedName(source) + cli_messages::kCannotBeRead + why;
    return std::nullopt;
  };
  const auto systemFailure = [&] {
    return failed(std::error_code(errno, std::generic_category()).message());
  };
  if (in == nullptr) return systemFailure();
  FileListParser list(nulSeparated);
  std::array<char, 1 << 16> piece;
  for (std::size_t got; (got = std::fread(piece.data(), 1, piece.size(), in)) > 0;) {
    if (!list.feed({piece.data(), got})) return failed(list.error());
  }
  if (std::ferror(in)) return systemFailure();
  if (!list.finish()) return failed(list.error());
  return std::move(list.names());
}

}  // namespace sondrix::cli

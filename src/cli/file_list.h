#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sondrix::cli {

// The names of a --files-from list, taken in pieces as they are read: one per line, a CR before
// the LF dropped (lists written on Windows), or with `nulSeparated` each ended by a NUL byte, as
// `find -print0` writes them (for names that hold line ends). Empty names are skipped; the last
// name needs no end. Memory stays bounded whatever comes: no name is longer than the system takes
// a path (longer fails), a NUL inside a line fails, and so does a run of empty names longer than
// that, so that an endless stream (/dev/zero) ends; a list of more than kMaxNames names fails too
// (`yes` never ends either).
class FileListParser {
 public:
  explicit FileListParser(bool nulSeparated) : nulSeparated_(nulSeparated) {}

  // False once the list is found not to be one; error() says where and why.
  bool feed(std::string_view piece);
  // The list has ended.
  bool finish();

  std::vector<std::string>& names() { return names_; }
  // "line 3: holds a NUL byte", "entry 7: longer than 4095 bytes", ...
  const std::string& error() const { return error_; }

  // The longest name taken, in bytes: the system's path limit.
  static const std::size_t kMaxName;
  // The most names one list holds: a batch keeps every name and output in memory, about 200
  // bytes each, so a million stays near 200 MB; larger batches are split into several calls.
  static constexpr std::size_t kMaxNames = 1'000'000;

 private:
  bool endEntry();
  bool fail(const std::string& what);
  std::string tooLong() const;

  bool nulSeparated_;
  std::string partial_;          // the entry read so far
  std::size_t entry_ = 1;        // the number of the entry being read, from 1
  std::size_t emptyInARow_ = 0;  // empty entries just before it
  std::vector<std::string> names_;
  std::string error_;
};

// The names of the list `source`, "-" for standard input; nullopt with the reason in `error`
// when it cannot be read or is not a list.
std::optional<std::vector<std::string>> ReadFileList(const std::string& source, bool nulSeparated,
                                                     std::string& error);

}  // namespace sondrix::cli

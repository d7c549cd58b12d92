#include "io/file_kind.h"

#include <cerrno>
#include <string>

#include <sys/stat.h>

namespace sondrix {
namespace {

class FileKindCategory final : public std::error_category {
 public:
  const char* name() const noexcept override { return "file kind"; }
  std::string message(int) const override { return "not a regular file"; }
};

}  // namespace

std::error_code NotRegularFileError() {
  static const FileKindCategory category;
  return {1, category};
}

std::error_code RegularFileCheck(mode_t mode) {
  if (S_ISREG(mode)) return {};
  if (S_ISDIR(mode)) return std::make_error_code(std::errc::is_a_directory);
  return NotRegularFileError();
}

std::error_code LastSystemError() { return {errno, std::generic_category()}; }

}  // namespace sondrix

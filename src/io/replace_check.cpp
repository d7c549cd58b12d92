#include "io/replace_check.h"

#include <cstdint>
#include <string>

#include "io/byte_reader.h"

namespace sondrix {
namespace {

class ReplaceCheckCategory final : public std::error_category {
 public:
  const char* name() const noexcept override { return "replace check"; }
  std::string message(int) const override { return "holds something other than this kind of file"; }
};

}  // namespace

std::error_code OtherContentError() {
  static const ReplaceCheckCategory category;
  return {1, category};
}

std::error_code ReplaceCheck(const std::filesystem::path& path, std::string_view signature) {
  ByteReader reader;
  // The reader follows links and refuses what is not a regular file before opening it.
  if (const std::error_code opened = reader.open(path)) {
    return opened == std::errc::no_such_file_or_directory ? std::error_code{} : opened;
  }
  if (reader.size() == 0) return {};
  // A file shorter than the signature ends before it: another kind of file.
  std::string start(signature.size(), '\0');
  if (!reader.read(start.data(), static_cast<std::int64_t>(start.size()))) {
    return OtherContentError();
  }
  return start == signature ? std::error_code{} : OtherContentError();
}

}  // namespace sondrix

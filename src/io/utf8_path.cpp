#include "io/utf8_path.h"

#include <climits>
#include <cstddef>
#include <utility>

#ifdef _WIN32
#include "io/windows_api.h"
#endif

namespace sondrix {

#ifdef _WIN32
namespace {
// The conversion calls count in int; a name longer than that is no name of a file.
bool fitsInt(std::size_t size) { return size <= static_cast<std::size_t>(INT_MAX); }
}  // namespace

std::filesystem::path PathFromUtf8(std::string_view text) {
  if (text.empty() || !fitsInt(text.size())) return {};
  const int bytes = static_cast<int>(text.size());
  const int chars = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), bytes, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(chars), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), bytes, wide.data(), chars);
  return std::filesystem::path(std::move(wide));
}

std::string Utf8Path(const std::filesystem::path& path) {
  const std::wstring& wide = path.native();
  if (wide.empty() || !fitsInt(wide.size())) return {};
  const int chars = static_cast<int>(wide.size());
  const int bytes =
      ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), chars, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), chars, text.data(), bytes, nullptr, nullptr);
  return text;
}
#else
std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(std::string(text));
}

std::string Utf8Path(const std::filesystem::path& path) { return path.native(); }
#endif

}  // namespace sondrix

#include "cli/file_list.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "io/utf8_path.h"

namespace sondrix::cli {

std::vector<std::string> SplitFileList(std::string_view text, bool nulSeparated) {
  const char end = nulSeparated ? '\0' : '\n';
  std::vector<std::string> names;
  while (!text.empty()) {
    const std::size_t at = text.find(end);
    std::string_view name = text.substr(0, at);
    text.remove_prefix(at == std::string_view::npos ? text.size() : at + 1);
    if (!nulSeparated && name.ends_with('\r')) name.remove_suffix(1);
    if (!name.empty()) names.emplace_back(name);
  }
  return names;
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

std::optional<std::string> ReadListText(const std::string& source, std::string& error) {
  const bool standardInput = source == "-";
#ifdef _WIN32
  // In text mode a Ctrl-Z would end the list early.
  if (standardInput) ::_setmode(_fileno(stdin), _O_BINARY);
#endif
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> owned(standardInput ? nullptr : openList(source),
                                                        &std::fclose);
  std::FILE* in = standardInput ? stdin : owned.get();
  const auto failed = [&]() -> std::optional<std::string> {
    error = "the list " + source +
            " cannot be read: " + std::error_code(errno, std::generic_category()).message();
    return std::nullopt;
  };
  if (in == nullptr) return failed();
  std::string text;
  std::array<char, 1 << 16> piece;
  for (std::size_t got; (got = std::fread(piece.data(), 1, piece.size(), in)) > 0;) {
    text.append(piece.data(), got);
  }
  if (std::ferror(in)) return failed();
  return text;
}

}  // namespace sondrix::cli

#include "numtext/substrings.h"

#include <algorithm>

namespace sondrix {

std::optional<std::string_view> Mid(std::string_view text, std::int64_t start, std::int64_t count) {
  if (start < 1 || count < 0) return std::nullopt;
  const auto size = static_cast<std::int64_t>(text.size());
  if (start > size) return std::string_view{};
  const std::int64_t available = size - (start - 1);
  return text.substr(static_cast<std::size_t>(start - 1),
                     static_cast<std::size_t>(std::min(count, available)));
}

std::optional<std::string_view> Mid(std::string_view text, std::int64_t start) {
  return Mid(text, start, static_cast<std::int64_t>(text.size()));
}

std::optional<std::string_view> Left(std::string_view text, std::int64_t count) {
  return Mid(text, 1, count);
}

std::optional<std::string_view> Right(std::string_view text, std::int64_t count) {
  if (count < 0) return std::nullopt;
  const auto size = static_cast<std::int64_t>(text.size());
  const std::int64_t n = std::min(count, size);
  return text.substr(static_cast<std::size_t>(size - n));
}

std::int64_t InStr(std::string_view text, std::string_view what) {
  const std::size_t at = text.find(what);
  return at == std::string_view::npos ? 0 : static_cast<std::int64_t>(at) + 1;
}

std::string UCase(std::string_view text) {
  std::string upper(text);
  UCaseInPlace(upper);
  return upper;
}

void UCaseInPlace(std::string& text) {
  // Without a branch, so that the compiler turns the loop into vector code.
  for (char& c : text) c = static_cast<char>(c - (c >= 'a' && c <= 'z' ? 'a' - 'A' : 0));
}

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string_view DropTrailingCr(std::string_view text) {
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  return text;
}

}  // namespace sondrix

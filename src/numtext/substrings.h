#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sondrix {

// 1-based character positions as the file formats count them. A start below 1 or a negative
// count fails (nullopt); a start beyond the end gives an empty text; a count past the end is cut.
std::optional<std::string_view> Mid(std::string_view text, std::int64_t start, std::int64_t count);
std::optional<std::string_view> Mid(std::string_view text, std::int64_t start);  // to the end
std::optional<std::string_view> Left(std::string_view text, std::int64_t count);
std::optional<std::string_view> Right(std::string_view text, std::int64_t count);

// 1-based position of the first occurrence of `what`, 0 when absent.
std::int64_t InStr(std::string_view text, std::string_view what);

// ASCII upper case; other bytes unchanged.
std::string UCase(std::string_view text);
// The same on a text the caller owns, for readers that upper-case every line of a large file.
void UCaseInPlace(std::string& text);

// Blanks (spaces) are trimmed; tabs, CR and other characters stay.
std::string_view TrimBlanks(std::string_view text);

// The text without one final carriage return, when it has one.
std::string_view DropTrailingCr(std::string_view text);

}  // namespace sondrix

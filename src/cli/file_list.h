#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sondrix::cli {

// The names of a --files-from list: one per line, a CR before the LF dropped (lists written on
// Windows), or with `nulSeparated` each ended by a NUL byte, as `find -print0` writes them (for
// names that hold line ends). Empty names are skipped; the last name needs no end.
std::vector<std::string> SplitFileList(std::string_view text, bool nulSeparated);

// The whole text of the list `source`, "-" for standard input; nullopt with the reason in
// `error` when it cannot be read.
std::optional<std::string> ReadListText(const std::string& source, std::string& error);

}  // namespace sondrix::cli

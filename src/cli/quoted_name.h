#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace sondrix::cli {

// A file name as the converter prints it, one line per name: unchanged unless it holds a control
// character (a line end would split its line, an escape could drive the terminal); such a name
// is quoted for the shell as GNU ls's shell-escape style does, 'a'$'\n''b', byte for byte, so
// that a script can paste it back and tools that read both outputs agree.
std::string QuotedName(std::string_view utf8);
std::string QuotedPath(const std::filesystem::path& path);

}  // namespace sondrix::cli

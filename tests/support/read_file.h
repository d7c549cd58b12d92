#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace sondrix::testing {

inline std::string ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Lines split at CR LF, without the line ends.
inline std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2) {
    lines.push_back(text.substr(start, at - start));
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

}  // namespace sondrix::testing

#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace sondrix {

// Names travel through the program as UTF-8 text (arguments, lists, messages, CSV names) and
// reach the file system as paths. On Windows a narrow string would be read in the ANSI code
// page, which cannot hold every name, so the text is decoded as UTF-8 (a malformed sequence
// becomes U+FFFD); elsewhere the bytes are the name, whatever they are.
std::filesystem::path PathFromUtf8(std::string_view text);

// The path as UTF-8 text, the inverse of PathFromUtf8 (on Windows an unpaired surrogate becomes
// U+FFFD).
std::string Utf8Path(const std::filesystem::path& path);

}  // namespace sondrix

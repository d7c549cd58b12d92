#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

namespace sondrix {

// The reason given for a file that holds something other than the format about to replace it;
// its message is "holds something other than this kind of file".
std::error_code OtherContentError();

// May a file of the format that starts with `signature` take the place of what `path` names,
// links followed? Yes (an empty code) when nothing is there yet (a dangling link included), or
// when a regular file is there that is empty or starts with `signature`: a capture, a table, a
// note or anything else the operator keeps is never written over by a picture. Otherwise the
// reason: the system's ("Is a directory", "Permission denied"), NotRegularFileError() for a FIFO,
// a device or a socket (none of them is opened, so none is waited on), or OtherContentError().
std::error_code ReplaceCheck(const std::filesystem::path& path, std::string_view signature);

}  // namespace sondrix

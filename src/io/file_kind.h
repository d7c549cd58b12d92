#pragma once

#include <system_error>

#include <sys/types.h>

namespace sondrix {

// The reason given for a FIFO, a device or a socket where only a regular file will do; its
// message is "not a regular file".
std::error_code NotRegularFileError();

// Empty for a regular file (as st_mode gives it); the system's "Is a directory" for a folder;
// NotRegularFileError() for anything else.
std::error_code RegularFileCheck(mode_t mode);

// The calling thread's errno as an error code, whose message is the system's text.
std::error_code LastSystemError();

}  // namespace sondrix

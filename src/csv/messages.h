#pragma once

// Status-bar texts of the CSV reader, exactly as the window shows them.
namespace sondrix::csv_messages {

// Followed by the number of samples read so far.
inline constexpr const char* kDataIndex = "データindex=";

// The model name of a file that names none.
inline constexpr const char* kUnknownModel = "unknown";

// Why the converter refuses a file whose displayed volts a 32-bit float cannot hold.
inline constexpr const char* kVoltsDoNotFit = "the volts of a channel do not fit a 32-bit float";

}  // namespace sondrix::csv_messages

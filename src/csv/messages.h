#pragma once

// Status-bar texts of the CSV reader, exactly as the window shows them.
namespace sondrix::csv_messages {

// Followed by the number of samples read so far.
inline constexpr const char* kDataIndex = "データindex=";

}  // namespace sondrix::csv_messages

#pragma once

// Status-bar texts of the CSV reader, exactly as the window shows them. The caption of the
// acquired-data-size label is the WFM reader's (wfm_messages::kAcqDataSize).
namespace sondrix::csv_messages {

// Followed by the number of samples read so far.
inline constexpr const char* kDataIndex = "データindex=";

}  // namespace sondrix::csv_messages

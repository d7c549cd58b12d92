#pragma once

// The caption of the point-count label, exactly as the window shows it.
namespace sondrix::load_messages {

// Followed by the record's point count.
inline constexpr const char* kAcqDataSize = "全取込データ数=";

}  // namespace sondrix::load_messages

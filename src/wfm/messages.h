#pragma once

// Status-bar texts of the WFM reader, exactly as the window shows them.
namespace sondrix::wfm_messages {

inline constexpr const char* kMayTakeAWhile = "少々時間がかかる場合があります｡";
inline constexpr const char* kReadComplete = "1ファイル読取り完了しました。";
inline constexpr const char* kReadError = "ファイル読取りエラーです。";
// Followed by the record's point count.
inline constexpr const char* kAcqDataSize = "全取込データ数=";

}  // namespace sondrix::wfm_messages

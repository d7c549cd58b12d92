#pragma once

// Status-bar texts of the WFM reader, exactly as the window shows them.
namespace sondrix::wfm_messages {

inline constexpr const char* kMayTakeAWhile = "少々時間がかかる場合があります｡";
inline constexpr const char* kReadComplete = "1ファイル読取り完了しました。";
inline constexpr const char* kReadError = "ファイル読取りエラーです。";

}  // namespace sondrix::wfm_messages

#pragma once

// Texts of the read-outs and the measurement table over the waveform, exactly as the window
// shows them.
namespace sondrix::view_messages {

// The cursor read-out line: "Xｶｰｿﾙ=" and the time cursor's time, each channel's value there,
// then "Yｶｰｿﾙ" and each channel's value at the level cursor.
inline constexpr char kTimeCursor[] = "Xｶｰｿﾙ=";
inline constexpr char kLevelCursor[] = "Yｶｰｿﾙ";
// A value that is not there: a cursor beyond the record, a frequency without two crossings.
inline constexpr char kNoValue[] = "—";

// The measurement table's column heads.
inline constexpr char kMeasureTitle[] = "測定";
inline constexpr char kMinimum[] = "最小";
inline constexpr char kMaximum[] = "最大";
inline constexpr char kPeakToPeak[] = "P-P";
inline constexpr char kMean[] = "平均";
inline constexpr char kRms[] = "実効値";
inline constexpr char kFrequency[] = "周波数";

}  // namespace sondrix::view_messages

#pragma once

// Texts of the read-outs and the measurement table over the waveform, exactly as the window
// shows them.
namespace sondrix::view_messages {

// The cursor read-out line: "Xｶｰｿﾙ=" and the time cursor's time, each channel's value there,
// then "Yｶｰｿﾙ" and each channel's value at the level cursor.
inline constexpr char kTimeCursor[] = "Xｶｰｿﾙ=";
inline constexpr char kLevelCursor[] = "Yｶｰｿﾙ";
// The pointer's read-out: "ﾎﾟｲﾝﾀ=" and the time under the pointer, each channel's value there.
inline constexpr char kPointer[] = "ﾎﾟｲﾝﾀ=";
// The reference mark's read-outs: the time from the mark to the time cursor, its inverse, and
// each channel's change between them ("ΔCh1:").
inline constexpr char kDeltaTime[] = "Δt=";
inline constexpr char kInverseDeltaTime[] = "1/Δt=";
inline constexpr char kDelta[] = "Δ";
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

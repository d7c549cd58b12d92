#pragma once

#include "model/messages.h"

// The load step's texts: the point-count caption exactly as the window shows it, and the reasons
// a load fails with.
namespace sondrix::load_messages {

// Followed by the record's point count.
inline constexpr const char* kAcqDataSize = "全取込データ数=";

inline constexpr const char* kNotEnoughMemory = model_messages::kNotEnoughMemory;
inline constexpr const char* kVoltsDoNotFit = "the volts do not fit the sample arrays";

// Why CSV/TXT text holds no waveform of its own.
inline constexpr const char* kNoColumnHeader =
    "no column header line (\"CH1 ...,CH2 ...\" or \"Time...,CH1 ...\") was found";
inline constexpr const char* kNoDataLine = "no data line follows the column header";
inline constexpr const char* kFirstLineNoNumber = "the first data line holds no number";
// Around the number of data lines.
inline constexpr const char* kNoPointLeft = "no point is left of ";
inline constexpr const char* kNoPointLeftEnd = " data lines (the count is rounded to tens)";

}  // namespace sondrix::load_messages

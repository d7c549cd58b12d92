#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/wave_record.h"
#include "wfm/read_status.h"

namespace sondrix {

// What the reader carries from one setup line to the next within one file.
struct SetupLineState {
  std::int32_t curCh = 0;  // channel the per-channel keys write to; may lie outside 0..3
  std::string chstr;       // channel text of the last "[CHA" line; display lines need one
};

// Applies one header line (as read, without its LF; a final CR stays) to the record: the model
// line or the first matching row of the setup keys. `reason` is filled on a failure.
ReadResult ApplyHeaderLine(std::string_view line, SetupLineState& state, WaveRecord& record);

}  // namespace sondrix

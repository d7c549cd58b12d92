#pragma once

#include "model/wave_record.h"
#include "wfm/read_status.h"

namespace sondrix {

// Whether channels 3 and 4 came with the file (their reference marks are shown then).
inline bool HasUpperChannels(const WaveRecord& record) { return record.WfmChannels > 2; }

// Whether the file holds every channel a load takes: channels 1 and 2, and 3 and 4 with them
// when the model line gives more than two channels. The reader places samples only then.
bool HoldsLoadedChannels(const WaveRecord& record);

// The last step of a WFM load, after a successful read placed the samples in the source arrays
// (negated where the channel's invert text is exactly "ON"): Points and Delta. Channels 3 and 4
// are taken only when the model line gives more than two channels; their arrays keep the
// previous file's samples otherwise. Fails, changing nothing, when no samples were read, a
// channel to take is missing (a one- or three-channel model line) or Delta would not be finite.
ReadResult AcceptPlacedSamples(WaveRecord& record);

}  // namespace sondrix

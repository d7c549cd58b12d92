#pragma once

#include "model/wave_record.h"
#include "wfm/read_status.h"

namespace sondrix {

// The copy step of a WFM load, after a successful read: each channel's samples from the matrix
// into its SrcData array (negated when its invert text is exactly "ON"), then Points and Delta.
// Channels 3 and 4 are copied only when the model line gives more than two channels; their
// arrays keep the previous file's samples otherwise. Fails, changing nothing, when the matrix
// holds no samples, lacks a channel to copy (a one- or three-channel model line) or Delta would
// not be finite.
ReadResult CopyWaveToSource(WaveRecord& record);

// Whether channels 3 and 4 came with the file (their reference marks are shown then).
inline bool HasUpperChannels(const WaveRecord& record) { return record.WfmChannels > 2; }

}  // namespace sondrix

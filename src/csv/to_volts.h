#pragma once

#include <string_view>

#include "model/wave_record.h"

namespace sondrix {

// volts = counts x Vdiv / 256 / 32 - Offset: one division is 8192 counts.
double CountsToVolts(double counts, float vdiv, float offset);

// `ToVolts` of channel `ch` (anything but 0, 1 or 2 means channel 3): the first Points samples
// of SrcData (source only) or SmData (the smoothed choices) into VoltData. False when Points is
// beyond the capacity or the source array is shorter than Points (nothing changes then), or
// when a value lies beyond the 32-bit float range (it is stored as 0).
bool ToVolts(WaveRecord& record, int ch, bool sourceOnly);

// Sets the first Points samples of all four volt arrays to 0.
bool ClearVolts(WaveRecord& record);

// What a store does before writing: clears all four volt arrays, then converts every channel
// whose display text, upper-cased, is "ON", in channel order. A channel that is not converted
// is therefore written as zeros, never with another waveform's volts.
bool ToVoltsForDisplayed(WaveRecord& record, bool sourceOnly);

}  // namespace sondrix

#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <span>

#include "model/lanes.h"
#include "model/scale.h"

namespace sondrix {

// volts = counts x Vdiv / kCountsPerDivision - Offset, in double: the one scale from the record's
// counts to the channel's unit, for the exported files and the figures on screen alike. Divided
// by the counts per step and then the steps per division, as the files have always been written.
inline double CountsToVolts(double counts, float vdiv, float offset) {
  return counts * static_cast<double>(vdiv) / kCountsPerStep / kStepsPerDivision -
         static_cast<double>(offset);
}

// Whether volts lie within the 32-bit float range, where a store can write them.
inline bool FitsFloat(double volts) {
  return std::fabs(volts) <= std::numeric_limits<float>::max();
}

// A row of counts as 32-bit float volts, volts[i] = CountsToVolts(counts[i]) rounded to float, for
// the first counts.size() elements of `volts` (which holds at least as many). False when a value
// lies beyond the float range; it is stored as 0.
bool CountsToFloatVolts(std::span<const std::int16_t> counts, float* volts, float vdiv,
                        float offset, Lanes lanes = Lanes::Widest);

}  // namespace sondrix

#pragma once

#include "model/scale.h"

namespace sondrix {

// volts = counts x Vdiv / kCountsPerDivision - Offset, in double: the one scale from the record's
// counts to the channel's unit, for the exported files and the figures on screen alike. Divided
// by the counts per step and then the steps per division, as the files have always been written.
inline double CountsToVolts(double counts, float vdiv, float offset) {
  return counts * static_cast<double>(vdiv) / kCountsPerStep / kStepsPerDivision -
         static_cast<double>(offset);
}

}  // namespace sondrix

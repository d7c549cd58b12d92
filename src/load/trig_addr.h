#pragma once

#include <cstdint>

namespace sondrix {

// The sample index of the trigger: the record's centre when the delay is 0, moved by Points / 10
// samples per division of delay, rounded half to even. A time per division of 0 (a CSV record
// may lack it) counts as no delay, and an index beyond the 32-bit range is clamped to it.
std::int32_t ComputeTrigAddr(double delay, double timeDiv, std::int32_t points);

}  // namespace sondrix

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/sample_allocator.h"
#include "model/wave_header.h"

namespace sondrix {

// The most samples per channel the program holds (indices 0 to 5,000,010).
inline constexpr std::int32_t kSampleCapacity = 5'000'011;

// A channel's counts.
using SampleArray = std::vector<std::int16_t, SampleAllocator<std::int16_t>>;

// A channel's volts, and the four volt arrays as the CSV writer and reader take them.
using VoltArray = std::vector<float, ClearedSampleAllocator<float>>;
using VoltArrays = std::array<VoltArray, kChannelCount>;

// The per-channel sample arrays. Only indices below Points are meaningful; the rest keep what
// an earlier, longer waveform left there. The arrays grow to the longest record seen so far and
// never shrink, so the program does not hold 160 MB from the start, yet a shorter record after a
// longer one behaves as with fixed arrays.
struct SampleBuffers {
  std::array<SampleArray, kChannelCount> SrcData;  // counts, invert applied
  VoltArrays VoltData;                             // volts
};

// The source arrays' size for a record of `points` samples: a draw's smoothing may reach one
// sample past the record's end (an empty window is raised to two samples), so the arrays hold
// that sample too. Sized so at once, an array is allocated and written once per load.
std::int64_t SourceSizeForDrawing(std::int64_t points);

// Grows every array of the group to at least `size` elements. False when `size` is beyond
// kSampleCapacity or below 0; nothing changes then. The last element of a grown array (the
// drawing's sample past the record) is zero; the other new counts are left for the load to write.
bool GrowSource(SampleBuffers& buffers, std::int64_t size);
bool GrowVolts(SampleBuffers& buffers, std::int64_t size);
bool GrowVolts(VoltArrays& volts, std::int64_t size);

}  // namespace sondrix

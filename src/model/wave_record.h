#pragma once

#include <cstdint>

#include "model/sample_buffers.h"
#include "model/wave_buf.h"
#include "model/wave_header.h"

namespace sondrix {

// The one waveform record of the window: the setup values, the WFM reader's own results and the
// sample arrays. Plain data, passed by reference to the operations that fill or read it.
struct WaveRecord {
  WaveHeader header;             // dsosetup1
  std::int32_t WfmChannels = 0;  // channel count of the model line
  std::int32_t WfmPoints = 0;    // samples per channel of the binary header
  WaveBuf waveBuf;
  SampleBuffers buffers;
};

}  // namespace sondrix

#pragma once

#include <array>
#include <functional>

#include "load/load_file.h"
#include "model/sample_buffers.h"

namespace sondrix {

using SourceArrays = std::array<SampleArray, kChannelCount>;

// A WFM read puts its samples straight into the source arrays, so a read that fails part-way (a
// file cut short or a disk failing while it is read) would leave the shown waveform's samples
// partly overwritten, and the next zoom or store would show them. `load` reads into `spare`
// instead, which takes the shown arrays' place only when it succeeds; the shown arrays become the
// spare ones of the next load. What the load leaves is what a read into the shown arrays would
// have left: the channels the file did not hold and the samples past the record are the shown
// waveform's. A failed load leaves the shown samples untouched.
LoadResult LoadBesideShown(WaveRecord& record, SourceArrays& spare,
                           const std::function<LoadResult(WaveRecord&)>& load);

}  // namespace sondrix

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "model/view_state.h"
#include "model/wave_header.h"
#include "model/wave_record.h"
#include "view/readouts.h"

namespace sondrix {

// Each channel's samples as the surface shows them, at the record's sample indices: the source
// arrays, or the smoothed window where the smoothed trace is drawn. An empty span is a channel
// without samples.
using ShownSamples = std::array<std::span<const std::int16_t>, kChannelCount>;

// Where sample `index` lies across the surface, as a fraction of its width from the left, by
// the traces' scale; a window of one sample puts everything at its left edge.
double SampleFraction(const ViewState& view, double index);

// The read-out of the pointer at `fraction` of the surface width: "ﾎﾟｲﾝﾀ=" and the time of the
// sample under it relative to the trigger, then each shown channel's value of that sample in
// `shown` ("Ch1:1.23V", "Ch1:—" where there is none). Empty before a waveform is loaded.
std::vector<ReadoutPiece> PointerReadouts(const WaveRecord& record, const ViewState& view,
                                          const ShownSamples& shown, double fraction);

// The read-outs of the reference mark at sample `mark` against the time cursor at `timeFraction`
// of the surface width: "Δt=" the time from the mark to the cursor, "1/Δt=" its inverse ("—" when
// the two coincide), then each shown channel's source value at the cursor less its value at the
// mark ("ΔCh1:-1.5V"; "ΔCh1:—" where either lies beyond the record). Empty before a waveform is
// loaded.
std::vector<ReadoutPiece> MarkReadouts(const WaveRecord& record, const ViewState& view,
                                       std::int64_t mark, double timeFraction);

}  // namespace sondrix

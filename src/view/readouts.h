#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/view_state.h"
#include "model/wave_record.h"
#include "view/scene.h"

namespace sondrix {

// The sample under the time cursor at `fraction` of the surface width, by the traces' scale
// (StartIndex at the left edge, EndIndex at the right), rounded half to even. None for a
// fraction that is not finite or lies absurdly far off the surface.
std::optional<std::int64_t> SampleAtCursor(const ViewState& view, double fraction);

// The whole raw count under the level cursor at `fraction` of the surface height from the top
// (YTop at the top edge, YBottom at the bottom), rounded half to even.
double CountAtCursor(const ViewState& view, double fraction);

// Where the level slider's value puts the level cursor for its read-out, as a fraction of the
// height from the top: at 4 - value / 8192 divisions up, where the zoom takes its level from, so
// that the middle reads the middle of the full scale (count -0.5, shown as 0).
double LevelCursorFraction(int sliderValue);

// The unit a channel's values are shown in: its unit letter, none for "N".
std::string UnitOf(const ChannelSetup& channel);

// One piece of the read-out line, in its colour.
struct ReadoutPiece {
  std::string text;
  Rgb colour;
  friend bool operator==(const ReadoutPiece&, const ReadoutPiece&) = default;
};

// The read-out line of the two cursors at fractions of the surface: "Xｶｰｿﾙ=" and the time of the
// sample under the time cursor relative to the trigger as a reading ("500us"); then each
// shown channel's value of that sample ("Ch1:1.23V", or "Ch1:—" beyond the record); then
// "Yｶｰｿﾙ" and each shown channel's value at the level cursor, from its Vdiv and Offset. The
// cursor labels in white, the values in their channel's colour. Empty before a
// waveform is loaded.
std::vector<ReadoutPiece> CursorReadouts(const WaveRecord& record, const ViewState& view,
                                         double timeFraction, double levelFraction);

}  // namespace sondrix

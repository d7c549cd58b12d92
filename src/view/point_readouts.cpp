#include "view/point_readouts.h"

#include <cmath>
#include <string>

#include "model/volts.h"
#include "view/engineering.h"
#include "view/measurements.h"
#include "view/messages.h"

namespace sondrix {
namespace {

// The sample at `index` of a channel, where the record and the array both hold one.
std::optional<std::int16_t> SampleOf(const WaveHeader& header,
                                     std::span<const std::int16_t> samples,
                                     std::optional<std::int64_t> index) {
  if (!index || *index < 0 || *index >= header.Points ||
      *index >= static_cast<std::int64_t>(samples.size())) {
    return std::nullopt;
  }
  return samples[static_cast<std::size_t>(*index)];
}

std::string TimeText(const WaveHeader& header, std::optional<std::int64_t> index) {
  if (!index) return view_messages::kNoValue;
  return ReadingText(static_cast<double>(*index - header.TrigAddr) * header.Delta, "s");
}

std::string ChannelText(const char* prefix, int ch, const std::string& value) {
  return prefix + std::string("Ch") + std::to_string(ch + 1) + ":" + value;
}

}  // namespace

double SampleFraction(const ViewState& view, double index) {
  const double span = static_cast<double>(view.EndIndex) - view.StartIndex;
  return span == 0.0 ? 0.0 : (index - view.StartIndex) / span;
}

std::vector<ReadoutPiece> PointerReadouts(const WaveRecord& record, const ViewState& view,
                                          const ShownSamples& shown, double fraction) {
  std::vector<ReadoutPiece> pieces;
  if (!view.WaveLoaded) return pieces;
  const WaveHeader& header = record.header;
  const std::optional<std::int64_t> sample = SampleAtCursor(view, fraction);
  pieces.push_back({view_messages::kPointer + TimeText(header, sample), kWhite});
  for (const int ch : ShownChannels(header)) {
    const auto c = static_cast<std::size_t>(ch);
    const ChannelSetup& setup = header.Channel[c];
    const std::optional<std::int16_t> counts = SampleOf(header, shown[c], sample);
    const std::string value =
        counts ? ReadingText(CountsToVolts(*counts, setup.Vdiv, setup.Offset), UnitOf(setup))
               : view_messages::kNoValue;
    pieces.push_back({ChannelText("", ch, value), kChannelColours[c]});
  }
  return pieces;
}

std::vector<ReadoutPiece> MarkReadouts(const WaveRecord& record, const ViewState& view,
                                       std::int64_t mark, double timeFraction) {
  std::vector<ReadoutPiece> pieces;
  if (!view.WaveLoaded) return pieces;
  const WaveHeader& header = record.header;
  const std::optional<std::int64_t> cursor = SampleAtCursor(view, timeFraction);
  std::string dt = view_messages::kNoValue;
  std::string inverse = view_messages::kNoValue;
  if (cursor) {
    const double seconds = static_cast<double>(*cursor - mark) * header.Delta;
    dt = ReadingText(seconds, "s");
    // Cursor on the mark: no frequency rather than a division by zero.
    if (seconds != 0.0) inverse = ReadingText(1.0 / seconds, "Hz");
  }
  pieces.push_back({view_messages::kDeltaTime + dt, kWhite});
  pieces.push_back({view_messages::kInverseDeltaTime + inverse, kWhite});
  for (const int ch : ShownChannels(header)) {
    const auto c = static_cast<std::size_t>(ch);
    const ChannelSetup& setup = header.Channel[c];
    const auto& source = record.buffers.SrcData[c];
    const std::optional<std::int16_t> at = SampleOf(header, source, cursor);
    const std::optional<std::int16_t> from = SampleOf(header, source, mark);
    // The offset cancels: the difference of counts is scaled alone, exactly.
    const std::string value =
        at && from ? ReadingText(CountsToVolts(static_cast<double>(*at) - *from, setup.Vdiv, 0.0f),
                                 UnitOf(setup))
                   : view_messages::kNoValue;
    pieces.push_back({ChannelText(view_messages::kDelta, ch, value), kChannelColours[c]});
  }
  return pieces;
}

}  // namespace sondrix

#include "view/readouts.h"

#include <cmath>

#include "model/scale.h"
#include "model/volts.h"
#include "numtext/rounding.h"
#include "view/engineering.h"
#include "view/measurements.h"
#include "view/messages.h"

namespace sondrix {
namespace {

constexpr double kLevelMiddle = kDivisionsY / 2.0;  // divisions up at the level slider's 0

}  // namespace

std::optional<std::int64_t> SampleAtCursor(const ViewState& view, double fraction) {
  const double index = RoundHalfEven(
      view.StartIndex + fraction * (static_cast<double>(view.EndIndex) - view.StartIndex));
  // Typed positions may lie off the surface, but not beyond what 64 bits hold exactly.
  if (!std::isfinite(index) || std::fabs(index) > 0x1p52) return std::nullopt;
  return static_cast<std::int64_t>(index);
}

double CountAtCursor(const ViewState& view, double fraction) {
  return RoundHalfEven(view.YTop - fraction * (double{view.YTop} - view.YBottom));
}

double LevelCursorFraction(int sliderValue) {
  return 1.0 - (kLevelMiddle - sliderValue / double{kCountsPerDivision}) / kDivisionsY;
}

std::string UnitOf(const ChannelSetup& channel) {
  return channel.Unit == "N" ? std::string() : channel.Unit;
}

std::vector<ReadoutPiece> CursorReadouts(const WaveRecord& record, const ViewState& view,
                                         double timeFraction, double levelFraction) {
  std::vector<ReadoutPiece> pieces;
  if (!view.WaveLoaded) return pieces;
  const WaveHeader& header = record.header;
  const std::vector<int> shown = ShownChannels(header);
  const auto channelText = [](int ch, const std::string& value) {
    return "Ch" + std::to_string(ch + 1) + ":" + value;
  };

  const std::optional<std::int64_t> sample = SampleAtCursor(view, timeFraction);
  std::string time = view_messages::kNoValue;
  if (sample) {
    const double seconds = static_cast<double>(*sample - header.TrigAddr) * header.Delta;
    time = ReadingText(seconds, "s");
  }
  pieces.push_back({view_messages::kTimeCursor + time, kWhite});
  for (const int ch : shown) {
    const auto c = static_cast<std::size_t>(ch);
    const ChannelSetup& setup = header.Channel[c];
    const auto& source = record.buffers.SrcData[c];
    std::string value = view_messages::kNoValue;
    if (sample && *sample >= 0 && *sample < header.Points &&
        *sample < static_cast<std::int64_t>(source.size())) {
      const std::int16_t counts = source[static_cast<std::size_t>(*sample)];
      value = ReadingText(CountsToVolts(counts, setup.Vdiv, setup.Offset), UnitOf(setup));
    }
    pieces.push_back({channelText(ch, value), kChannelColours[c]});
  }

  pieces.push_back({view_messages::kLevelCursor, kWhite});
  const double level = CountAtCursor(view, levelFraction);
  for (const int ch : shown) {
    const auto c = static_cast<std::size_t>(ch);
    const ChannelSetup& setup = header.Channel[c];
    pieces.push_back({channelText(ch, ReadingText(CountsToVolts(level, setup.Vdiv, setup.Offset),
                                                  UnitOf(setup))),
                      kChannelColours[c]});
  }
  return pieces;
}

}  // namespace sondrix

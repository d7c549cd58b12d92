#include "view/scale_marks.h"

#include <cmath>
#include <string>

#include "model/scale.h"
#include "numtext/rounding.h"
#include "view/engineering.h"

namespace sondrix {

std::optional<std::int16_t> ReferenceLevel(const ChannelSetup& channel) {
  if (channel.Vdiv == 0.0f) return std::nullopt;
  const float level = channel.Offset * kStepsPerDivision / channel.Vdiv * kCountsPerStep - 1.0f;
  if (std::isnan(level)) return std::nullopt;
  if (level > kFullScaleTop) return std::int16_t{32767};
  if (level < kFullScaleBottom) return std::int16_t{-32768};
  return RoundToInt16(level);
}

std::optional<float> PlaceLevelMarker(const ViewState& view, std::int16_t level) {
  const float y = (view.YTop - static_cast<float>(level)) / (view.YTop - view.YBottom);
  if (!std::isfinite(y)) return std::nullopt;
  return y;
}

std::optional<double> PlaceDelayMark(std::int64_t offset, std::int64_t span) {
  if (span == 0) return std::nullopt;
  return static_cast<double>(offset) / static_cast<double>(span);
}

namespace {

void placeLevelMark(const ChannelSetup& channel, const ViewState& view, Rgb colour,
                    LevelMark& mark) {
  const auto level = ReferenceLevel(channel);
  const auto y = level ? PlaceLevelMarker(view, *level) : std::nullopt;
  if (!y) {
    mark.visible = false;
    return;
  }
  mark.y = *y;
  mark.colour = colour;
}

// The time of a sample index relative to the trigger, as the caption is formatted from it.
float secondsFromTrigger(std::int64_t index, std::int32_t trigAddr, double delta) {
  return ClampToFloat(static_cast<double>(index - trigAddr) * delta);
}

}  // namespace

void LabelChannel(const WaveHeader& header, const ViewState& view, int ch, Scene& scene) {
  const auto c = static_cast<std::size_t>(ch);
  const ChannelSetup& channel = header.Channel[c];
  Caption& vdivLabel = scene.vdivLabels[c];
  placeLevelMark(channel, view, vdivLabel.backColour, scene.vrefLines[c]);

  const std::string unit = channel.Unit == "N" ? "/div" : channel.Unit + "/div";
  vdivLabel.text = "Ch" + std::to_string(ch + 1) + ":" +
                   CaptionText(ToEngineering(channel.Vdiv / view.YZoom, unit, kCaptionDecimals));

  const std::int32_t trigAddr = header.TrigAddr;
  const auto tick = PlaceDelayMark(std::int64_t{trigAddr} - view.StartIndex,
                                   std::int64_t{view.EndIndex} - view.StartIndex);
  scene.delayMark.visible = tick.has_value();

  const Engineering tdiv = ToEngineering(view.ShownTimeDiv, "s/div", kCaptionDecimals);
  scene.tdivLabel.text = CaptionText({tdiv.mantissa, ""}).substr(0, 5) + tdiv.text;

  const Engineering start = ToEngineering(
      secondsFromTrigger(view.StartIndex, trigAddr, header.Delta), "s", kStartDecimals);
  scene.xsLabel.text = CaptionText(start);

  const bool triggerInRecord = trigAddr >= 0 && trigAddr < header.Points;
  scene.xeLabel.visible = scene.xcLabel.visible = triggerInRecord;
  if (!triggerInRecord) {
    scene.delayMark.visible = false;
    return;
  }
  if (tick) scene.delayMark.x = *tick;
  const Engineering end =
      ToEngineering(secondsFromTrigger(std::int64_t{view.EndIndex} + 1, trigAddr, header.Delta),
                    "s", kCaptionDecimals);
  scene.xeLabel.text = CaptionText(end);
  const double xs = EngineeringToSeconds(start.mantissa, start.text);
  const double xe = EngineeringToSeconds(end.mantissa, end.text);
  scene.xcLabel.text =
      CaptionText(ToEngineering(ClampToFloat((xs + xe) / 2.0), "s", kCaptionDecimals));
}

}  // namespace sondrix

#include "wfm/setup_lines.h"

#include <array>

#include "numtext/leading_number.h"
#include "numtext/print_form.h"
#include "numtext/rounding.h"
#include "numtext/substrings.h"
#include "wfm/header_values.h"

namespace sondrix {
namespace {

ReadResult fail(std::string reason) { return {ReadStatus::ReadError, std::move(reason)}; }

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// A three-character on/off value; the line's CR is not part of it, so a CR LF file saying ON
// counts as ON.
std::string onOffValue(std::string_view u, std::int64_t column) {
  return std::string(DropTrailingCr(Mid(u, column, 3).value_or("")));
}

ReadResult applyModelLine(std::string_view line, WaveRecord& record) {
  record.header.ModelName = std::string(*Mid(line, 13, 100));
  // Only the first occurrence of each series mark counts.
  std::int32_t channels = 0;
  std::int16_t version = 0;
  if (InStr(line, "QK") == 20) {
    channels = RoundToInt32(Val(*Mid(line, 24, 1))).value_or(0);
    version = 0;
  } else if (InStr(line, "ZT") == 20) {
    channels = RoundToInt32(Val(*Mid(line, 26, 1))).value_or(0);
    version = RoundToInt16(Val(*Mid(line, 24, 1))).value_or(0);
  } else {
    return {ReadStatus::UnknownSeries,
            "the model line names neither series QK nor ZT at column 20"};
  }
  record.WfmChannels = channels;
  record.header.WfmVersion = version;
  record.header.ChCount = static_cast<std::int16_t>(channels);  // a single digit: always fits
  return {};
}

struct KeyContext {
  std::string_view u;  // trimmed, upper case
  SetupLineState& state;
  WaveRecord& record;

  std::int64_t len() const { return static_cast<std::int64_t>(u.size()); }
  bool channelValid() const { return state.curCh >= 0 && state.curCh < kChannelCount; }
  ChannelSetup& channel() { return record.header.Channel[static_cast<std::size_t>(state.curCh)]; }
};

ReadResult badChannel(const KeyContext& k) {
  return fail("channel " + std::to_string(k.state.curCh + 1) + " does not exist");
}

// Scaled volts of a "VOLT" or "OFFS" line: the unit value times the probe factor, as a float.
std::optional<float> probeScaled(std::optional<std::string_view> text, const ChannelSetup& ch) {
  if (!text) return std::nullopt;
  const auto unit = UnitValue(*text);
  const auto factor = ValChecked(ch.Probe);
  if (!unit || !factor) return std::nullopt;
  return NarrowToFloat(static_cast<double>(*unit) * *factor);
}

ReadResult applyRescale(ChannelSetup& ch) {
  const auto a = ParseStrict(ch.RescaleA);
  const auto b = ParseStrict(ch.RescaleB);
  const auto p = ParseStrict(ch.Probe);
  if (!a || !b || !p) return fail("the rescale factor, rescale offset or probe is not a number");
  const auto vdiv = NarrowToFloat(*a * static_cast<double>(ch.Vdiv));
  if (!vdiv) return fail("the rescaled volts per division overflow");
  ch.Vdiv = *vdiv;
  const auto offset = NarrowToFloat(*a * (static_cast<double>(ch.Offset) - *p * *b));
  if (!offset) return fail("the rescaled offset overflows");
  ch.Offset = *offset;
  return {};
}

ReadResult applyChannelKey(KeyContext& k, std::string_view key) {
  if (!k.channelValid()) return badChannel(k);
  ChannelSetup& ch = k.channel();
  if (key == "PROB") {
    const auto probe = Mid(k.u, 9, k.len() - 10);
    if (!probe) return fail("the probe line is too short");
    ch.Probe = std::string(*probe);
  } else if (key == "AUTO") {
    const auto probe = Mid(k.u, 14, k.len() - 15);
    if (!probe) return fail("the auto probe line is too short");
    ch.AutoProbe = std::string(*probe);
    if (ch.Probe == "AU") ch.Probe = ch.AutoProbe;
  } else if (key == "VOLT") {
    const auto vdiv = probeScaled(Mid(k.u, 13, 20), ch);
    if (!vdiv) return fail("the volts per division do not fit a 32-bit float");
    ch.Vdiv = *vdiv;
  } else if (key == "INVERT") {
    ch.Chrev = onOffValue(k.u, 10);
  } else if (key == "DISPLA") {
    ch.Display = onOffValue(k.u, 11);
    ch.DispOn = ch.Display == "ON" ? 1 : 0;
  } else if (key == "UNIT") {
    ch.Unit = std::string(*Mid(k.u, 8, 1));
  } else if (key == "OFFS") {
    const auto offset = probeScaled(Mid(k.u, 10, 20), ch);
    if (!offset) return fail("the offset does not fit a 32-bit float");
    ch.Offset = *offset;
    if (ch.RescaleOn == "ON") return applyRescale(ch);
  } else if (key == "RESCALE") {
    const std::string_view letter = *Mid(k.u, 9, 1);
    if (letter == "A") {
      const auto a = ValChecked(*Mid(k.u, 14, 20));
      if (!a) return fail("the rescale factor overflows");
      ch.RescaleA = DecimalText(*a);
    } else if (letter == "B") {
      const auto text = Mid(k.u, 14, k.len() - 13);
      const auto b = text ? UnitValue(*text) : std::nullopt;
      if (!b) return fail("the rescale offset is unreadable");
      ch.RescaleB = DecimalText(*b);
    } else {
      ch.RescaleOn = onOffValue(k.u, 11);
    }
  }
  return {};
}

}  // namespace

ReadResult ApplyHeaderLine(std::string_view line, SetupLineState& state, WaveRecord& record) {
  if (startsWith(line, "ModelName = ")) return applyModelLine(line, record);

  const std::string upper = UCase(TrimBlanks(line));
  KeyContext k{upper, state, record};
  const std::string_view u = upper;
  WaveHeader& h = record.header;

  if (startsWith(u, "[CHA")) {
    state.chstr = std::string(*Mid(u, 9, 1));
    state.curCh = 0;
    if (!state.chstr.empty()) {
      const auto ch = RoundToInt32(Val(state.chstr) - 1.0);
      state.curCh = ch.value_or(-1);
    }
    return {};
  }
  // Per-channel keys, in the order they are tested; the first match applies.
  static constexpr std::array<std::string_view, 8> channelKeys{"PROB",   "AUTO", "VOLT", "INVERT",
                                                               "DISPLA", "UNIT", "OFFS", "RESCALE"};
  for (const std::string_view key : channelKeys) {
    if (!startsWith(u, key)) continue;
    if (key == "DISPLA" && state.chstr.empty()) return {};  // no "[CHA" with a digit yet
    return applyChannelKey(k, key);
  }
  if (startsWith(u, "DELAY")) {
    const auto text = Mid(u, 9, k.len() - 9);
    const auto delay = text ? ParseStrict(*text) : std::nullopt;
    if (!delay) return fail("the delay is not a number");
    h.Delay = *delay;
  } else if (startsWith(u, "[MAT") || startsWith(u, "[MEA")) {
    state.chstr.clear();
  } else if (startsWith(u, "FILE")) {
    h.FileVersion = std::string(*Mid(line, 15, 100));
  } else if (startsWith(u, "SAVETIME")) {
    h.AcqTime = std::string(*Mid(line, 12, 100));
  } else if (startsWith(u, "ACQUISITION MODE")) {
    h.AcqMode = std::string(*Mid(line, 20, 100));
  } else if (startsWith(u, "TIME/DIV")) {
    const auto timeDiv = TimeDivValue(u);
    if (!timeDiv) return fail("the time per division is unreadable");
    h.TimeDiv = *timeDiv;
  }
  return {};
}

}  // namespace sondrix

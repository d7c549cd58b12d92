#include "csv/to_volts.h"

#include <algorithm>

#include "numtext/substrings.h"

namespace sondrix {
namespace {

std::size_t pointsOf(const WaveRecord& record) {
  return static_cast<std::size_t>(std::max(record.header.Points, 0));
}

}  // namespace

bool IsDisplayed(const ChannelSetup& channel) { return UCase(channel.Display) == "ON"; }

bool ClearVolts(WaveRecord& record) {
  if (!GrowVolts(record.buffers, record.header.Points)) return false;
  for (auto& volts : record.buffers.VoltData) std::fill_n(volts.begin(), pointsOf(record), 0.0f);
  return true;
}

bool ToVolts(WaveRecord& record, int ch, std::span<const std::int16_t> source) {
  const std::size_t index = ch >= 0 && ch <= 2 ? static_cast<std::size_t>(ch) : 3;
  const std::size_t n = pointsOf(record);
  if (source.size() < n || !GrowVolts(record.buffers, record.header.Points)) return false;
  const ChannelSetup& setup = record.header.Channel[index];
  return CountsToFloatVolts(source.first(n), record.buffers.VoltData[index].data(), setup.Vdiv,
                            setup.Offset);
}

bool ToVoltsForDisplayed(WaveRecord& record, const CountsOfChannel& counts) {
  if (!ClearVolts(record)) return false;
  bool ok = true;
  for (int ch = 0; ch < kChannelCount; ++ch) {
    const auto c = static_cast<std::size_t>(ch);
    if (IsDisplayed(record.header.Channel[c])) {
      ok = ToVolts(record, ch, counts ? counts(ch) : record.buffers.SrcData[c]) && ok;
    }
  }
  return ok;
}

}  // namespace sondrix

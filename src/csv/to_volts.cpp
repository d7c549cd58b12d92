#include "csv/to_volts.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "numtext/substrings.h"

namespace sondrix {
namespace {

std::size_t pointsOf(const WaveRecord& record) {
  return static_cast<std::size_t>(std::max(record.header.Points, 0));
}

}  // namespace

double CountsToVolts(double counts, float vdiv, float offset) {
  return counts * static_cast<double>(vdiv) / 256.0 / 32.0 - static_cast<double>(offset);
}

bool ClearVolts(WaveRecord& record) {
  if (!GrowVolts(record.buffers, record.header.Points)) return false;
  for (auto& volts : record.buffers.VoltData) std::fill_n(volts.begin(), pointsOf(record), 0.0f);
  return true;
}

bool ToVolts(WaveRecord& record, int ch, bool sourceOnly) {
  const std::size_t index = ch >= 0 && ch <= 2 ? static_cast<std::size_t>(ch) : 3;
  const std::size_t n = pointsOf(record);
  const auto& source = sourceOnly ? record.buffers.SrcData[index] : record.buffers.SmData[index];
  if (source.size() < n || !GrowVolts(record.buffers, record.header.Points)) return false;
  const ChannelSetup& setup = record.header.Channel[index];
  float* volts = record.buffers.VoltData[index].data();
  constexpr double maxFloat = std::numeric_limits<float>::max();
  bool inRange = true;
  for (std::size_t i = 0; i < n; ++i) {
    const double v = CountsToVolts(source[i], setup.Vdiv, setup.Offset);
    const bool fits = std::fabs(v) <= maxFloat;
    inRange = inRange && fits;
    volts[i] = fits ? static_cast<float>(v) : 0.0f;
  }
  return inRange;
}

bool ToVoltsForDisplayed(WaveRecord& record, bool sourceOnly) {
  if (!ClearVolts(record)) return false;
  bool ok = true;
  for (int ch = 0; ch < kChannelCount; ++ch) {
    if (UCase(record.header.Channel[static_cast<std::size_t>(ch)].Display) == "ON") {
      ok = ToVolts(record, ch, sourceOnly) && ok;
    }
  }
  return ok;
}

}  // namespace sondrix

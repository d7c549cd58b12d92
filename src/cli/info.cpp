#include "cli/info.h"

#include <array>
#include <charconv>

#include "numtext/substrings.h"

namespace sondrix::cli {
namespace {

template <typename T>
std::string number(T value) {
  std::array<char, 48> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return ec == std::errc{} ? std::string(buffer.data(), end) : std::string();
}

}  // namespace

std::string InfoText(const WaveRecord& record) {
  std::string text;
  const auto line = [&text](std::string_view name, std::string_view value) {
    text.append(name).append(": ").append(DropTrailingCr(value)).append("\n");
  };
  const WaveHeader& h = record.header;
  line("ModelName", h.ModelName);
  line("ChCount", number(h.ChCount));
  line("WfmVersion", number(h.WfmVersion));
  line("FileVersion", h.FileVersion);
  line("AcqTime", h.AcqTime);
  line("AcqMode", h.AcqMode);
  line("TimeDiv", number(h.TimeDiv));
  line("Delay", number(h.Delay));
  line("Delta", number(h.Delta));
  line("Points", number(h.Points));
  line("TrigAddr", number(h.TrigAddr));
  line("DataWidth", number(h.DataWidth));
  line("WfmChannels", number(record.WfmChannels));
  line("WfmPoints", number(record.WfmPoints));
  for (int n = 1; n <= kChannelCount; ++n) {
    const ChannelSetup& ch = h.Channel[static_cast<std::size_t>(n - 1)];
    const std::string k = std::to_string(n);
    line("Vdiv" + k, number(ch.Vdiv));
    line("Offset" + k, number(ch.Offset));
    line("Unit" + k, ch.Unit);
    line("Chrev" + k, ch.Chrev);
    line("Coupling" + k, ch.Coupling);
    line("Bandwidth" + k, ch.Bandwidth);
    line("Display" + k, ch.Display);
    line("DispOn" + k, number(ch.DispOn));
    line("Probe" + k, ch.Probe);
    line("AutoProbe" + k, ch.AutoProbe);
    line("RescaleOn" + k, ch.RescaleOn);
    line("RescaleA" + k, ch.RescaleA);
    line("RescaleB" + k, ch.RescaleB);
  }
  return text;
}

}  // namespace sondrix::cli

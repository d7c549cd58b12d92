#include "cli/info.h"

#include "numtext/print_form.h"
#include "numtext/substrings.h"

namespace sondrix::cli {
std::string InfoText(const WaveRecord& record) {
  std::string text;
  const auto line = [&text](std::string_view name, std::string_view value) {
    text.append(name).append(": ").append(DropTrailingCr(value)).append("\n");
  };
  const WaveHeader& h = record.header;
  line("ModelName", h.ModelName);
  line("ChCount", DecimalText(h.ChCount));
  line("WfmVersion", DecimalText(h.WfmVersion));
  line("FileVersion", h.FileVersion);
  line("AcqTime", h.AcqTime);
  line("AcqMode", h.AcqMode);
  line("TimeDiv", DecimalText(h.TimeDiv));
  line("Delay", DecimalText(h.Delay));
  line("Delta", DecimalText(h.Delta));
  line("Points", DecimalText(h.Points));
  line("TrigAddr", DecimalText(h.TrigAddr));
  line("DataWidth", DecimalText(h.DataWidth));
  line("WfmChannels", DecimalText(record.WfmChannels));
  line("WfmPoints", DecimalText(record.WfmPoints));
  for (int n = 1; n <= kChannelCount; ++n) {
    const ChannelSetup& ch = h.Channel[static_cast<std::size_t>(n - 1)];
    const std::string k = std::to_string(n);
    line("Vdiv" + k, DecimalText(ch.Vdiv));
    line("Offset" + k, DecimalText(ch.Offset));
    line("Unit" + k, ch.Unit);
    line("Chrev" + k, ch.Chrev);
    line("Coupling" + k, ch.Coupling);
    line("Bandwidth" + k, ch.Bandwidth);
    line("Display" + k, ch.Display);
    line("DispOn" + k, DecimalText(ch.DispOn));
    line("Probe" + k, ch.Probe);
    line("AutoProbe" + k, ch.AutoProbe);
    line("RescaleOn" + k, ch.RescaleOn);
    line("RescaleA" + k, ch.RescaleA);
    line("RescaleB" + k, ch.RescaleB);
  }
  return text;
}

}  // namespace sondrix::cli

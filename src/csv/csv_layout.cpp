#include "csv/csv_layout.h"

#include <algorithm>

#include "numtext/leading_number.h"
#include "numtext/print_form.h"
#include "numtext/rounding.h"

namespace sondrix {
namespace {

constexpr std::string_view kCrLf = "\r\n";

// Per-channel lines exist for channels 1 to min(ChCount, 4).
int headerChannels(const WaveHeader& header) {
  return std::clamp<int>(header.ChCount, 0, kChannelCount);
}

}  // namespace

std::string CsvHeaderText(const WaveHeader& h) {
  std::string text;
  const auto line = [&text](std::string_view key, std::string_view value) {
    text.append(key).append(value).append(kCrLf);
  };
  line("ModelName,", h.ModelName);
  line("FileVersion,", h.FileVersion);
  line("Acquisition Time, ", h.AcqTime);
  line("Time/div(second),", PrintForm(h.TimeDiv));
  line("Delay (second),", PrintForm(h.Delay));
  line("Delta (second),", PrintForm(h.Delta));
  line("Acquisition Mode,", h.AcqMode);
  line("Trigger Address,", PrintForm(h.TrigAddr));
  const int channels = headerChannels(h);
  const auto perChannel = [&](std::string_view what, auto value) {
    for (int n = 1; n <= channels; ++n) {
      const ChannelSetup& ch = h.Channel[static_cast<std::size_t>(n - 1)];
      line("CH" + std::to_string(n) + std::string(what), value(ch));
    }
  };
  perChannel(" Display,", [](const ChannelSetup& ch) { return ch.Display; });
  for (int n = 1; n <= channels; ++n) {
    const ChannelSetup& ch = h.Channel[static_cast<std::size_t>(n - 1)];
    line("CH" + std::to_string(n) + " " + ch.Unit + "/div,", PrintForm(ch.Vdiv));
  }
  perChannel(" Offset,", [](const ChannelSetup& ch) { return PrintForm(ch.Offset); });
  perChannel(" Coupling,", [](const ChannelSetup& ch) { return ch.Coupling; });
  perChannel(" Bandwidth,", [](const ChannelSetup& ch) { return ch.Bandwidth; });
  line("Points ,", PrintForm(h.Points));

  text.append("Time(s)");
  for (int n = 1; n <= ValueColumns(h); ++n) {
    text.append(",Ch").append(std::to_string(n)).append(" ");
    text.append(h.Channel[static_cast<std::size_t>(n - 1)].Unit);
  }
  text.append(kCrLf);
  return text;
}

int ValueDecimals(const WaveHeader& header) {
  const char first = header.AcqMode.empty() ? '\0' : header.AcqMode.front();
  const bool fine = first == 'H' || first == 'A' || header.DataWidth == 8 || header.DataWidth == 64;
  return fine ? kFineValueDecimals : kCoarseValueDecimals;
}

int ValueColumns(const WaveHeader& header) { return header.ChCount == 2 ? 2 : 4; }

int DataSkipFromText(std::string_view text) {
  const double value = std::clamp(Val(text), 0.0, double{kMaxDataSkip});
  return static_cast<int>(RoundHalfEven(value));
}

char* FormatDataLine(char* out, const DataLineFormat& format, std::int64_t index) {
  const auto time = static_cast<double>(index - format.trigAddr) * format.delta;
  out = FormatScientific(out, time, kTimeDecimals);
  for (int c = 0; c < format.columnCount; ++c) {
    *out++ = ',';
    const float volts = format.columns[static_cast<std::size_t>(c)][index];
    out = FormatScientific(out, volts, format.valueDecimals);
  }
  *out++ = '\r';
  *out++ = '\n';
  return out;
}

}  // namespace sondrix

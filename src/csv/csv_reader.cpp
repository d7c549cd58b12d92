#include "csv/csv_reader.h"

#include <algorithm>
#include <limits>
#include <new>
#include <optional>
#include <string_view>

#include "csv/data_lines.h"
#include "csv/messages.h"
#include "io/text_file.h"
#include "io/utf8_path.h"
#include "model/messages.h"
#include "numtext/leading_number.h"
#include "numtext/rounding.h"
#include "numtext/substrings.h"

namespace sondrix {
namespace {

// What a header line tells the read to do next.
struct HeaderStep {
  enum Kind { Next, DataStart, Failed } kind = Next;
  std::size_t firstValueField = 0;  // of the data lines: 1 when they begin with the time
  std::string reason;
};

HeaderStep fail(std::string reason) { return {HeaderStep::Failed, 0, std::move(reason)}; }

// What the header lines leave for the column header to settle.
struct HeaderState {
  // The model line named no model (or the name the program writes for none), so its 7th column
  // cannot tell the channel count: the column header's channel columns do.
  bool channelsFromColumns = false;
};

// The channel columns of a column header: its fields from the first value field on that name a
// channel, up to four.
std::int16_t channelColumns(const FieldTable& f, std::size_t firstValueField,
                            std::int16_t fieldCount) {
  std::int16_t count = 0;
  for (std::size_t k = firstValueField;
       count < kChannelCount && k < static_cast<std::size_t>(fieldCount) && f[k].starts_with("CH");
       ++k) {
    ++count;
  }
  return count;
}

std::string inQuotes(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted.append(1, '"').append(text).append(1, '"');
  return quoted;
}

// "CHn Display", "CHn Offset" and "CHn <unit>/div": the digit in column 3 names the channel and
// column 5 tells the setting. Other channel lines (coupling, bandwidth) set nothing, whatever
// their channel.
HeaderStep channelLine(std::string_view line, const FieldTable& f, WaveHeader& h) {
  const std::string_view digit = *Mid(line, 3, 1);
  const int k = RoundToInt16(Val(digit) - 1.0).value_or(-1);
  const std::string_view what = *Mid(line, 5, 1);
  const bool display = what == "D";
  const bool offset = what == "O";
  if (!display && !offset && InStr(f[0], "/DIV") == 0) return {};
  if (k < 0 || k >= kChannelCount) {
    return fail("column 3 holds " + inQuotes(digit) + ", not a channel 1 to 4");
  }
  ChannelSetup& ch = h.Channel[static_cast<std::size_t>(k)];
  if (display) {
    ch.Display = f[1];
    if (f[1] == "ON") ch.DispOn = 1;
    return {};
  }
  const std::optional<float> value = ParseStrictFloat(f[1]);
  if (!value) {
    return fail(std::string(offset ? "the offset " : "the volts per division ") + inQuotes(f[1]) +
                " is not a number");
  }
  if (offset) {
    ch.Offset = *value;
  } else {
    ch.Vdiv = *value;
    ch.Unit = *Mid(f[0], 5, 1);
  }
  return {};
}

HeaderStep pointLine(const FieldTable& f, WaveHeader& h, CsvReadResult& result) {
  const std::optional<double> given = ValChecked(f[1]);
  const std::optional<std::int32_t> tens = given ? RoundToInt32(*given / 10.0) : std::nullopt;
  const std::int64_t points = tens ? std::int64_t{*tens} * 10 : 0;
  if (!tens || points < std::numeric_limits<std::int32_t>::min() ||
      points > std::numeric_limits<std::int32_t>::max()) {
    return fail("the point count " + inQuotes(f[1]) + " is beyond the 32-bit range");
  }
  h.Points = static_cast<std::int32_t>(points);
  result.statedPoints = h.Points;
  return {};
}

// One upper-cased, trimmed header line, split into `f`; the first matching test applies.
HeaderStep headerLine(std::string_view line, const FieldTable& f, WaveHeader& h,
                      CsvReadResult& result, HeaderState& state) {
  const auto number = [&f](double& member, std::string_view what) -> HeaderStep {
    const std::optional<double> value = ParseStrict(f[1]);
    if (!value) return fail(std::string(what) + " " + inQuotes(f[1]) + " is not a number");
    member = *value;
    return {};
  };
  const std::string_view f0 = f[0];
  const std::string_view f1 = f[1];
  if (line.starts_with("MODEL")) {
    // A file converted from one without a model line says "ModelName," and must read back.
    state.channelsFromColumns = f1.empty() || f1 == UCase(csv_messages::kUnknownModel);
    if (state.channelsFromColumns) {
      h.ModelName = csv_messages::kUnknownModel;
      return {};
    }
    h.ModelName = f1;
    // The channel count is the digit in the 7th column of the model name.
    const std::optional<double> digit = ParseStrict(*Mid(f1, 7, 1));
    const std::optional<std::int16_t> count = digit ? RoundToInt16(*digit) : std::nullopt;
    if (!count) return fail("the model name " + inQuotes(f1) + " has no digit in column 7");
    h.ChCount = *count;
    return {};
  }
  if (line.starts_with("TIME/")) return number(h.TimeDiv, "the time per division");
  if (line.starts_with("DELAY")) return number(h.Delay, "the delay");
  if (line.starts_with("DELTA")) return number(h.Delta, "the sample interval");
  if (line.starts_with("TRIGG")) return {};
  if (line.starts_with("CH") && !f1.starts_with("CH")) return channelLine(line, f, h);
  if (line.starts_with("ACQUI")) {
    h.AcqMode = f1;
    return {};
  }
  if (line.starts_with("POINT")) return pointLine(f, h, result);
  // The instrument's column header: values only. The program's own files begin with the time.
  if (f0.starts_with("CH1 ") && f1.starts_with("CH2 ")) return {HeaderStep::DataStart, 0, {}};
  if (f0.starts_with("TIME") && f1.starts_with("CH1 ")) return {HeaderStep::DataStart, 1, {}};
  return {};
}

CsvReadResult readCsv(TextFile& file, VoltArrays& volts, WaveHeader& header, UiSink& ui,
                      const DataSplit& split) {
  CsvReadResult result;
  FieldTable items;
  std::string line;
  std::optional<std::size_t> firstValueField;
  HeaderState state;
  for (std::int64_t lineNo = 1; !firstValueField && !file.atEnd(); ++lineNo) {
    ReadTextLine(file, line);
    if (line.empty() || line.front() == '/') continue;
    UCaseInPlace(line);
    const std::string_view trimmed = TrimBlanks(line);
    const std::int16_t fieldCount = Get_Items(trimmed, items);
    HeaderStep step = headerLine(trimmed, items, header, result, state);
    if (step.kind == HeaderStep::Failed) {
      result.reason = "line " + std::to_string(lineNo) + ": " + step.reason;
      return result;
    }
    if (step.kind == HeaderStep::DataStart) {
      firstValueField = step.firstValueField;
      if (state.channelsFromColumns) {
        header.ChCount = channelColumns(items, step.firstValueField, fieldCount);
      }
    }
  }
  const std::int32_t samples =
      firstValueField
          ? ReadDataLines(file, items, *firstValueField, volts, ui, split,
                          result.firstDataLineHoldsNumber, result.statedPoints.value_or(0))
          : 0;
  // samples < kSampleCapacity, so the rounded count fits and stays within the capacity.
  const std::int32_t points = RoundToInt32(samples / 10.0).value_or(0) * 10;
  if (points > samples) {
    // Rounded up: the samples past the last line read are zero, never an older file's.
    GrowVolts(volts, points);
    for (auto& column : volts) {
      std::fill(column.begin() + samples, column.begin() + points, 0.0f);
    }
  }
  header.Points = points;
  result.points = points;
  result.columnHeader = firstValueField.has_value();
  result.dataLines = samples;
  return result;
}

// What every read sets before its first line.
void startRead(WaveHeader& header) {
  header.Delta = 1e-9;
  header.AcqMode.clear();
  // Both together: the drawing goes by DispOn and the store by Display, so a channel the file
  // does not name is neither drawn nor stored with the previous file's samples.
  for (ChannelSetup& ch : header.Channel) {
    ch.DispOn = 0;
    ch.Display.clear();
  }
}

CsvReadResult outOfMemory(std::string_view what) {
  CsvReadResult result;
  result.reason.append(model_messages::kNotEnoughMemory).append(" to read ").append(what);
  return result;
}

}  // namespace

CsvReadResult ReadCsvFile(const std::filesystem::path& path, VoltArrays& volts, WaveHeader& header,
                          UiSink& ui, const DataSplit& split) {
  startRead(header);
  try {
    TextFile file(path);
    if (!file.isOpen()) {
      CsvReadResult result;
      result.reason = "cannot open " + Utf8Path(path) + ": " + file.openError().message();
      return result;
    }
    return readCsv(file, volts, header, ui, split);
  } catch (const std::bad_alloc&) {
    return outOfMemory(Utf8Path(path));
  }
}

CsvReadResult ReadCsvBytes(std::string_view bytes, VoltArrays& volts, WaveHeader& header,
                           UiSink& ui, const DataSplit& split) {
  startRead(header);
  try {
    TextFile file = TextFile::fromBytes(bytes);
    return readCsv(file, volts, header, ui, split);
  } catch (const std::bad_alloc&) {
    return outOfMemory("the data");
  }
}

}  // namespace sondrix

#include "cli/convert.h"

#include <system_error>

#include "csv/csv_name.h"
#include "csv/csv_reader.h"
#include "csv/csv_writer.h"
#include "csv/to_volts.h"
#include "numtext/substrings.h"
#include "view/trig_addr.h"
#include "wfm/copy_to_source.h"
#include "wfm/wfm_reader.h"

namespace sondrix::cli {
namespace {

bool samePlace(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code ec;
  if (std::filesystem::equivalent(a, b, ec)) return true;
  const auto ca = std::filesystem::weakly_canonical(a, ec);
  if (ec) return false;
  const auto cb = std::filesystem::weakly_canonical(b, ec);
  return !ec && ca == cb;
}

}  // namespace

std::filesystem::path OutputPathFor(const std::filesystem::path& input,
                                    const ConvertOptions& options) {
  if (options.output) return *options.output;
  const std::filesystem::path name = CsvNameForWfm(input.filename().string());
  if (options.outDir) return *options.outDir / name;
  return input.parent_path() / name;
}

bool IsCsvInput(const std::filesystem::path& input) {
  const std::string upper = UCase(input.filename().string());
  const std::string_view tail =
      std::string_view(upper).substr(upper.size() < 4 ? 0 : upper.size() - 4);
  return tail == ".CSV" || tail == ".TXT";
}

ConvertResult LoadInput(const std::filesystem::path& input, WaveRecord& record, UiSink& ui) {
  if (IsCsvInput(input)) {
    const CsvReadResult read = ReadCsvFile(input, record.buffers.VoltData, record.header, ui);
    if (read.points < 0) return {false, read.reason, {}};
    if (!VoltsToRaw(record.header, record.buffers)) {
      return {false, "the volts do not fit the sample arrays", {}};
    }
  } else {
    const ReadResult read = ReadWfmFile(input, record, ui);
    if (!read.ok()) return {false, read.reason, {}};
    const ReadResult copied = CopyWaveToSource(record);
    if (!copied.ok()) return {false, copied.reason, {}};
  }
  WaveHeader& h = record.header;
  h.TrigAddr = ComputeTrigAddr(h.Delay, h.TimeDiv, h.Points);
  return {true, {}, {}};
}

ConvertResult ConvertFile(const std::filesystem::path& input, const ConvertOptions& options,
                          UiSink& ui) {
  const std::filesystem::path output = OutputPathFor(input, options);
  if (samePlace(input, output)) {
    return {false, "the output " + output.string() + " would replace the input", {}};
  }
  for (const std::filesystem::path& kept : options.keep) {
    if (samePlace(kept, output)) {
      return {false, "the output " + output.string() + " would replace " + kept.string(), {}};
    }
  }
  WaveRecord record;  // every file as if it were the first after start-up
  ConvertResult result = LoadInput(input, record, ui);
  if (!result.ok) return result;
  if (!ToVoltsForDisplayed(record, /*sourceOnly=*/true)) {
    return {false, "the volts of a channel do not fit a 32-bit float", {}};
  }
  const CsvWriteResult written =
      WriteCsvFile(output, record.header, record.buffers.VoltData, options.skip, ui);
  if (!written.ok()) return {false, output.string() + ": " + written.reason, {}};
  return {true, {}, output};
}

}  // namespace sondrix::cli

#include "cli/convert.h"

#include <system_error>
#include <utility>

#include "csv/csv_name.h"
#include "csv/csv_writer.h"
#include "csv/to_volts.h"
#include "load/load_file.h"

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

ConvertResult LoadInput(const std::filesystem::path& input, WaveRecord& record, UiSink& ui) {
  LoadResult loaded = LoadFile(input, record, ui);
  return {loaded.ok, std::move(loaded.reason), {}};
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
  if (!ToVoltsForDisplayed(record)) {
    return {false, "the volts of a channel do not fit a 32-bit float", {}};
  }
  const CsvWriteResult written =
      WriteCsvFile(output, record.header, record.buffers.VoltData, options.skip, ui,
                   {.nonRegular = NonRegularTarget::Stream});
  if (!written.ok()) return {false, output.string() + ": " + written.reason, {}};
  return {true, {}, output};
}

}  // namespace sondrix::cli

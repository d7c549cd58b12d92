#include "cli/convert.h"

#include <system_error>
#include <utility>

#include "cli/output_claims.h"
#include "cli/quoted_name.h"
#include "csv/csv_name.h"
#include "csv/export_record.h"
#include "io/utf8_path.h"
#include "load/load_file.h"

namespace sondrix::cli {
namespace {

ConvertResult failed(std::string reason) { return {false, std::move(reason), {}}; }

// The readers name their file in some reasons; printed on one line, a name must stay on it.
std::string withQuotedName(std::string reason, const std::filesystem::path& path) {
  const std::string raw = Utf8Path(path);
  const std::string quoted = QuotedPath(path);
  if (raw == quoted) return reason;
  for (std::size_t at = reason.find(raw); at != std::string::npos;
       at = reason.find(raw, at + quoted.size())) {
    reason.replace(at, raw.size(), quoted);
  }
  return reason;
}

}  // namespace

std::filesystem::path OutputPathFor(const std::filesystem::path& input,
                                    const ConvertOptions& options) {
  if (options.output) return *options.output;
  const std::filesystem::path name = PathFromUtf8(CsvNameForWfm(Utf8Path(input.filename())));
  if (options.outDir) return *options.outDir / name;
  return input.parent_path() / name;
}

ConvertResult LoadInput(const std::filesystem::path& input, WaveRecord& record, UiSink& ui) {
  LoadResult loaded = LoadFileStrict(input, record, ui);
  if (!loaded.ok) return failed(withQuotedName(std::move(loaded.reason), input));
  return {true, {}, {}};
}

ConvertResult ConvertTo(const std::filesystem::path& input, const std::filesystem::path& output,
                        const ConvertOptions& options, UiSink& ui) {
  WaveRecord record;  // every file as if it were the first after start-up
  ConvertResult result = LoadInput(input, record, ui);
  if (!result.ok) return result;
  ExportResult written = ExportRecord(record, {}, output, options.skip, ui,
                                      {.rules = {.nonRegular = NonRegularTarget::Stream},
                                       .threads = options.formatThreads,
                                       .unfit = UnfitVolts::Refuse,
                                       .beforeWrite = {}});
  if (written.status == ExportResult::Status::UnfitVolts) return failed(std::move(written.reason));
  if (!written.ok()) return failed(QuotedPath(output) + ": " + written.reason);
  return {true, {}, output};
}

ConvertResult ConvertFile(const std::filesystem::path& input, const ConvertOptions& options,
                          UiSink& ui) {
  const std::filesystem::path output = OutputPathFor(input, options);
  std::string refusal = std::move(CheckOutputs({input}, {output}).front());
  if (!refusal.empty()) return failed(std::move(refusal));
  return ConvertTo(input, output, options, ui);
}

}  // namespace sondrix::cli

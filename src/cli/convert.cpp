#include "cli/convert.h"

#include <mutex>
#include <span>
#include <system_error>
#include <utility>

#include "cli/output_claims.h"
#include "cli/quoted_name.h"
#include "csv/csv_name.h"
#include "csv/export_record.h"
#include "io/utf8_path.h"
#include "load/load_file.h"
#include "wfm/wfm_reader.h"

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

// A capture's counts, read from its file where they lie as the text needs them.
class FileCounts final : public ChannelCounts {
 public:
  explicit FileCounts(const WfmSampleReader& file) : file_(file) {}
  bool read(int ch, std::int64_t first, std::span<std::int16_t> out) override {
    ReadResult r = file_.read(ch, first, out);
    if (r.ok()) return true;
    std::lock_guard lock(mutex_);
    if (failure_.empty()) failure_ = std::move(r.reason);
    return false;
  }
  std::string failure() const override {
    std::lock_guard lock(mutex_);
    return failure_;
  }

 private:
  const WfmSampleReader& file_;
  mutable std::mutex mutex_;
  std::string failure_;  // of the first read that failed
};

// The store's export with the "source only" display choice, where a displayed channel whose
// volts do not fit refuses the file.
ExportOptions exportOptions(const ConvertOptions& options) {
  return {.rules = {.nonRegular = NonRegularTarget::Stream},
          .threads = options.formatThreads,
          .unfit = UnfitVolts::Refuse,
          .beforeWrite = {}};
}

ConvertResult exported(ExportResult written, const std::filesystem::path& input,
                       const std::filesystem::path& output) {
  switch (written.status) {
    case ExportResult::Status::Written:
      return {true, {}, output};
    case ExportResult::Status::UnfitVolts:
      return failed(std::move(written.reason));
    case ExportResult::Status::ReadFailed:  // as the load would have failed on it
      return failed(withQuotedName(std::move(written.reason), input));
    case ExportResult::Status::WriteFailed:
      break;
  }
  return failed(QuotedPath(output) + ": " + written.reason);
}

// A capture is never held whole: its header is loaded, then its samples are read piece by piece
// as the text is made, so that the memory a conversion takes does not grow with the capture.
ConvertResult convertStreamed(const std::filesystem::path& input,
                              const std::filesystem::path& output, const ConvertOptions& options,
                              UiSink& ui) {
  WaveRecord record;  // its header only, as if it were the first file after start-up
  WfmSampleReader file;
  LoadResult loaded = LoadWfmHeader(input, record, file, ui);
  if (!loaded.ok) return failed(withQuotedName(std::move(loaded.reason), input));
  FileCounts counts(file);
  return exported(ExportCounts(record.header, record.waveBuf.storedChannels, counts, output,
                               options.skip, ui, exportOptions(options)),
                  input, output);
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

ConvertResult ConvertInMemory(const std::filesystem::path& input,
                              const std::filesystem::path& output, const ConvertOptions& options,
                              UiSink& ui) {
  WaveRecord record;  // every file as if it were the first after start-up
  ConvertResult result = LoadInput(input, record, ui);
  if (!result.ok) return result;
  return exported(ExportRecord(record, {}, output, options.skip, ui, exportOptions(options)), input,
                  output);
}

ConvertResult ConvertTo(const std::filesystem::path& input, const std::filesystem::path& output,
                        const ConvertOptions& options, UiSink& ui) {
  if (KindOfFile(input) == FileKind::Csv) return ConvertInMemory(input, output, options, ui);
  return convertStreamed(input, output, options, ui);
}

ConvertResult ConvertFile(const std::filesystem::path& input, const ConvertOptions& options,
                          UiSink& ui) {
  const std::filesystem::path output = OutputPathFor(input, options);
  std::string refusal = std::move(CheckOutputs({input}, {output}).front());
  if (!refusal.empty()) return failed(std::move(refusal));
  return ConvertTo(input, output, options, ui);
}

}  // namespace sondrix::cli

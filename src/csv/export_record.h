#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "csv/to_volts.h"
#include "io/safe_write.h"
#include "model/ui_sink.h"
#include "model/wave_record.h"

namespace sondrix {

// What a store does with a displayed channel whose volts do not fit a 32-bit float: the window
// writes it as zeros and still stores the file; the converter refuses the file.
enum class UnfitVolts { StoreZeros, Refuse };

struct ExportOptions {
  WriteRules rules{};
  int threads = 0;  // threads that format the text; 0: one per core
  UnfitVolts unfit = UnfitVolts::StoreZeros;
  // Called once the volts are ready, just before the file is written: where the window shows
  // the store's step, so that a failure before it (no memory to smooth) leaves the status as is.
  std::function<void()> beforeWrite;
};

struct ExportResult {
  enum class Status { Written, UnfitVolts, WriteFailed };
  Status status = Status::Written;
  std::string reason;  // empty when written
  bool ok() const { return status == Status::Written; }
};

// The one export step of the window's store and of the converter: the displayed channels of
// `record` to volts from `counts` (the source arrays when none are given), then every
// (skip + 1)-th sample written to `path` as CSV.
ExportResult ExportRecord(WaveRecord& record, const CountsOfChannel& counts,
                          const std::filesystem::path& path, int skip, UiSink& ui,
                          const ExportOptions& options = {});

}  // namespace sondrix

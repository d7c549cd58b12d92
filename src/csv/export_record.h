#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
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
  // ReadFailed: the counts of ExportCounts could not be read; nothing was replaced.
  enum class Status { Written, UnfitVolts, WriteFailed, ReadFailed };
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

// The counts of a record's channels where the record does not hold them, read a piece at a time.
class ChannelCounts {
 public:
  virtual ~ChannelCounts() = default;
  // Counts [first, first + out.size()) of channel `ch`; false when they cannot be had. Threads
  // may ask at once.
  virtual bool read(int ch, std::int64_t first, std::span<std::int16_t> out) = 0;
  // Why the first read that failed did; asked once the reads are over.
  virtual std::string failure() const = 0;
};

// ExportRecord of a record whose counts are not held: `header` as its load leaves it, the counts
// of the channels below `channels` read from `counts` piece by piece as the text is made, those
// of the others 0 (as in a fresh record). Only a few pieces are held at once, whatever the
// record's size, and the file is the one ExportRecord writes, byte for byte. With
// UnfitVolts::Refuse, a displayed channel whose volts do not fit is found before the file is
// opened. A read that fails, then or part-way through the file, gives ReadFailed with the
// reason of `counts`, and replaces nothing.
ExportResult ExportCounts(const WaveHeader& header, int channels, ChannelCounts& counts,
                          const std::filesystem::path& path, int skip, UiSink& ui,
                          const ExportOptions& options = {});

}  // namespace sondrix

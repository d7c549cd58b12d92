#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "io/safe_write.h"
#include "model/sample_buffers.h"
#include "model/ui_sink.h"
#include "model/wave_header.h"

namespace sondrix {

struct CsvWriteResult {
  // 0 written; -1 failed, and any earlier file of that name is untouched; kSourceFailed likewise,
  // because a CsvVoltSource failed.
  std::int16_t status = 0;
  std::string reason;
  bool ok() const { return status == 0; }
  static constexpr std::int16_t kSourceFailed = -2;
};

// Writes the header lines, the column-header line and every (skip + 1)-th sample from 0 to
// Points - 1. The file appears under its name only when complete, and what stands at the path is
// replaced or refused as SafeFile does under `rules`. Progress goes to `ui` in 11
// steps, with one pumpEvents() after each; anything the window does meanwhile may grow the volt
// arrays but not shrink them, so the writer looks them up again after every pump. The text is
// formatted on `threads` threads (0: one per core) while earlier text is being written.
CsvWriteResult WriteCsvFile(const std::filesystem::path& path, const WaveHeader& header,
                            const VoltArrays& volts, int skip, UiSink& ui, WriteRules rules = {},
                            int threads = 0);

// Where a write takes its volts from, a piece of lines at a time: the threads that format the
// text ask for their pieces at once, each into buffers of its own.
class CsvVoltSource {
 public:
  virtual ~CsvVoltSource() = default;
  // Puts into columns[c][k] the volts of value column c at sample (firstLine + k) * step, for k
  // below `lines`. False stops the write, which then replaces nothing; the source keeps why.
  virtual bool fill(std::int64_t firstLine, std::int64_t lines, std::int64_t step,
                    std::span<float* const> columns) = 0;
};

// WriteCsvFile with the volts from `volts` as they are needed: whatever the record's size, the
// writer holds the text and volts of a few pieces only.
CsvWriteResult WriteCsvFile(const std::filesystem::path& path, const WaveHeader& header,
                            CsvVoltSource& volts, int skip, UiSink& ui, WriteRules rules = {},
                            int threads = 0);

// Where a write takes its volts from when they are made from 16-bit counts: the writer asks for
// the counts, a piece of lines at a time, and makes the text of each distinct count once.
class CsvCountSource {
 public:
  virtual ~CsvCountSource() = default;
  // Puts into columns[c][k] the count of value column c at sample (firstLine + k) * step, for k
  // below `lines`. False stops the write, which then replaces nothing; the source keeps why.
  // Threads may ask at once.
  virtual bool fill(std::int64_t firstLine, std::int64_t lines, std::int64_t step,
                    std::span<std::int16_t* const> columns) = 0;
  // The volts written for `count` in value column `column`; threads may ask at once.
  virtual float volts(int column, std::int16_t count) const = 0;
};

// WriteCsvFile with the volts from `counts` as they are needed, holding the text and counts of a
// few pieces only, and the text of each column's counts once made.
CsvWriteResult WriteCsvFile(const std::filesystem::path& path, const WaveHeader& header,
                            CsvCountSource& counts, int skip, UiSink& ui, WriteRules rules = {},
                            int threads = 0);

}  // namespace sondrix

#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "io/safe_write.h"
#include "model/sample_buffers.h"
#include "model/ui_sink.h"
#include "model/wave_header.h"

namespace sondrix {

struct CsvWriteResult {
  std::int16_t status = 0;  // 0 written; -1 failed, and any earlier file of that name is untouched
  std::string reason;
  bool ok() const { return status == 0; }
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

}  // namespace sondrix

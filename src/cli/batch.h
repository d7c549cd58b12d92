#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/convert.h"

namespace sondrix::cli {

struct BatchOptions {
  ConvertOptions convert;
  bool info = false;  // print each file's header members and write nothing
  int jobs = 1;       // threads: up to this many files at once, or one file formatted on all
};

struct FileOutcome {
  bool ok = false;
  std::string reason;  // why the file failed
  std::string text;    // for standard output: the written path's line, or the --info lines
};

// Where a batch reports. Calls come one at a time, from whichever thread finished a file.
class BatchReport {
 public:
  virtual ~BatchReport() = default;
  // Each file's outcome, in the order of the inputs.
  virtual void outcome(const std::filesystem::path& input, const FileOutcome& outcome) = 0;
  // Files finished plus the finished parts of those in work, of `files`.
  virtual void progress(double filesDone, std::size_t files) = 0;
};

// Converts every input (or reads it, with `info`) on its own, up to `jobs` at once, each in a
// record of its own: at most `jobs` records are in memory. Which outputs may be written is
// decided before any file is read (CheckOutputs), so the files written, the outcomes and their
// order are those of one job at a time. True when every file succeeded.
bool RunBatch(const std::vector<std::filesystem::path>& inputs, const BatchOptions& options,
              BatchReport& report);

}  // namespace sondrix::cli

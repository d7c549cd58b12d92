#pragma once

#include <atomic>
#include <filesystem>

#include "cli/batch.h"
#include "io/unique_fd.h"
#include "load/arrivals.h"

namespace sondrix::cli {

struct WatchOptions {
  BatchOptions batch;
  bool poll = false;  // list the folder every second instead of waiting on the kernel's notice
  ArrivalTimes times;
};

// Ends a watch from another thread or from a signal handler: it sets the flag and wakes the
// watch's wait through a pipe, both of which a handler may do.
class WatchStop {
 public:
  WatchStop();
  void stop() noexcept;
  bool stopped() const { return stopped_.load(); }
  int wakeDescriptor() const { return read_.get(); }

 private:
  std::atomic<bool> stopped_{false};
  UniqueFd read_;
  UniqueFd write_;
};

// INT and TERM stop `stop` instead of ending the program, so that the file in work is finished.
void StopOnSignals(WatchStop& stop);

// Converts each WFM capture of `folder` without an up-to-date output (none, or one older than the
// capture), then each capture that appears or changes there, each once it is complete, as a batch
// converts one file. A capture the reader refuses is tried again when it
// changes; one still refused 10 s after it appeared is reported as the batch reports a failed
// file. Returns when stopped, after the file in work; true when no capture was reported.
bool RunWatch(const std::filesystem::path& folder, const WatchOptions& options, BatchReport& report,
              WatchStop& stop);

}  // namespace sondrix::cli

#include "cli/watch.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <string>
#include <thread>
#include <vector>

#include "io/folder_watch.h"
#include "io/utf8_path.h"
#include "load/load_file.h"

#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#endif

namespace sondrix::cli {
namespace {

using Clock = Arrivals::Clock;
constexpr auto kPollInterval = std::chrono::seconds(1);

bool IsCapture(std::string_view name) { return WaveFileKind(PathFromUtf8(name)) == FileKind::Wfm; }

// Takes each file's outcome: a success goes on to the report, a refusal is kept, since the
// capture may only be still in writing.
class Attempt final : public BatchReport {
 public:
  explicit Attempt(BatchReport& report) : report_(report) {}
  void outcome(const std::filesystem::path& input, const FileOutcome& outcome) override {
    if (outcome.ok) {
      report_.outcome(input, outcome);
    } else {
      refusal_ = outcome;
    }
  }
  void progress(double filesDone, std::size_t files) override {
    report_.progress(filesDone, files);
  }
  const FileOutcome& refusal() const { return refusal_; }

 private:
  BatchReport& report_;
  FileOutcome refusal_;
};

bool UpToDate(const std::filesystem::path& input, const ConvertOptions& options) {
  std::error_code error;
  const auto written = std::filesystem::last_write_time(OutputPathFor(input, options), error);
  if (error) return false;
  const auto read = std::filesystem::last_write_time(input, error);
  return !error && written >= read;
}

WatchStop* signalledStop = nullptr;

extern "C" void StopFromSignal(int) {
  if (signalledStop != nullptr) signalledStop->stop();
}

// Sleeps until the folder changes, `until` comes, a poll is due or the watch is stopped.
void WaitForChange(const FolderWatch& watch, std::optional<Clock::time_point> until,
                   const WatchStop& stop) {
  auto limit = until.value_or(Clock::time_point::max());
  if (!watch.notifies()) limit = std::min(limit, Clock::now() + kPollInterval);
#ifndef _WIN32
  pollfd fds[2] = {{stop.wakeDescriptor(), POLLIN, 0}, {watch.descriptor(), POLLIN, 0}};
  const nfds_t count = watch.notifies() ? 2 : 1;
  int timeout = -1;
  if (limit != Clock::time_point::max()) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(limit - Clock::now());
    timeout = static_cast<int>(std::clamp<std::int64_t>(left.count(), 0, 60'000));
  }
  ::poll(fds, count, timeout);  // an interrupted wait is a wake like any other
#else
  while (!stop.stopped() && Clock::now() < limit) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
#endif
}

}  // namespace

WatchStop::WatchStop() {
#ifndef _WIN32
  int ends[2];
  if (::pipe(ends) == 0) {
    read_.reset(ends[0]);
    write_.reset(ends[1]);
    for (const int fd : ends) {
      ::fcntl(fd, F_SETFL, O_NONBLOCK);
      ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
  }
#endif
}

void WatchStop::stop() noexcept {
  stopped_.store(true);
#ifndef _WIN32
  if (write_.valid()) {
    const char wake = 1;
    static_cast<void>(::write(write_.get(), &wake, 1));
  }
#endif
}

void StopOnSignals(WatchStop& stop) {
  signalledStop = &stop;
  std::signal(SIGINT, StopFromSignal);
  std::signal(SIGTERM, StopFromSignal);
}

bool RunWatch(const std::filesystem::path& folder, const WatchOptions& options, BatchReport& report,
              WatchStop& stop) {
  bool allRead = true;
  const auto convert = [&](const std::filesystem::path& input) {
    Attempt attempt(report);
    const bool ok = RunBatch({input}, options.batch, attempt);
    return ok ? std::string() : attempt.refusal().reason;
  };
  // Watched before the first listing, so that nothing written in between goes unseen.
  FolderWatch watch(folder, options.poll);
  // The captures there without an up-to-date output count as new ones.
  const std::vector<FolderEntry> present = ListFolder(folder, IsCapture);
  std::vector<FolderEntry> converted;
  for (const FolderEntry& file : present) {
    if (UpToDate(folder / PathFromUtf8(file.name), options.batch.convert)) {
      converted.push_back(file);
    }
  }
  Arrivals arrivals(options.times);
  arrivals.knownAlready(converted);
  arrivals.listed(present, Clock::now());
  while (!stop.stopped()) {
    WaitForChange(watch, arrivals.next(), stop);
    const FolderChanges changes = watch.take();
    const Clock::time_point now = Clock::now();
    arrivals.listed(ListFolder(folder, IsCapture), now);
    for (const std::string& name : changes.closed) arrivals.closed(name, now);
    for (const std::string& name : arrivals.due(now)) {
      const std::string refused = convert(folder / PathFromUtf8(name));
      if (refused.empty()) {
        arrivals.accepted(name);
      } else {
        arrivals.refused(name, refused);
      }
      if (stop.stopped()) break;
    }
    for (const auto& [name, reason] : arrivals.overdue(Clock::now())) {
      report.outcome(folder / PathFromUtf8(name), {false, reason, {}});
      allRead = false;
    }
  }
  return allRead;
}

}  // namespace sondrix::cli

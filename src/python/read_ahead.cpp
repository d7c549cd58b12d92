#include "python/read_ahead.h"

#include <algorithm>
#include <utility>

namespace sondrix::python {

int WorkerCount(int jobs, std::size_t files) {
  if (jobs <= 0) jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  const auto most = static_cast<int>(std::min<std::size_t>(std::max<std::size_t>(files, 1), 256));
  return std::clamp(jobs, 1, most);
}

ReadAhead::ReadAhead(std::vector<std::filesystem::path> paths, int jobs)
    : paths_(std::move(paths)), outcomes_(paths_.size()) {
  const int workers = paths_.empty() ? 0 : WorkerCount(jobs, paths_.size());
  // Each worker has one file in hand and one read and waiting: enough to keep them busy while
  // the taker is slower for a moment, few enough to bound the memory.
  window_ = 2 * static_cast<std::size_t>(std::max(workers, 1));
  threads_.reserve(static_cast<std::size_t>(workers));
  for (int i = 0; i < workers; ++i) {
    {
      const std::scoped_lock hold(lock_);
      ++workers_;
    }
    try {
      threads_.emplace_back([this](const std::stop_token& stop) { work(stop); });
    } catch (...) {
      const std::scoped_lock hold(lock_);
      --workers_;
      throw;  // the threads started so far are stopped and joined by their jthreads
    }
  }
}

ReadAhead::~ReadAhead() {
  for (std::jthread& thread : threads_) thread.request_stop();
  roomOrStop_.notify_all();
  threads_.clear();  // joins
}

void ReadAhead::work(const std::stop_token& stop) {
  try {
    std::unique_lock hold(lock_);
    while (true) {
      roomOrStop_.wait(hold, stop,
                       [this] { return claimed_ == paths_.size() || claimed_ < taken_ + window_; });
      if (stop.stop_requested() || claimed_ == paths_.size()) break;
      const std::size_t index = claimed_++;
      hold.unlock();
      ReadOutcome outcome;
      try {
        outcome.capture = ReadCapture(paths_[index], 1);  // the workers share the cores
      } catch (...) {
        outcome.error = std::current_exception();
      }
      hold.lock();
      outcomes_[index] = std::move(outcome);
      done_.notify_all();
    }
    --workers_;
  } catch (...) {
    // Only the lock itself throws here, so the count changes without it: the taker then sees the
    // worker gone rather than waiting for its file for ever.
    --workers_;
  }
  done_.notify_all();
}

std::optional<ReadOutcome> ReadAhead::next() {
  std::unique_lock hold(lock_);
  if (taken_ == paths_.size()) return std::nullopt;
  done_.wait(hold, [this] { return outcomes_[taken_].has_value() || workers_ == 0; });
  if (!outcomes_[taken_]) {
    throw std::runtime_error("the reading threads stopped before the file was read");
  }
  ReadOutcome outcome = std::move(*outcomes_[taken_]);
  outcomes_[taken_].reset();
  ++taken_;
  roomOrStop_.notify_all();
  return outcome;
}

}  // namespace sondrix::python

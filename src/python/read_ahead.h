#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>
#include <vector>

#include "python/capture.h"

namespace sondrix::python {

// What reading one file of the list came to: its capture, or the exception the read threw.
struct ReadOutcome {
  std::unique_ptr<Capture> capture;
  std::exception_ptr error;
};

// Reads the files of a list on worker threads, ahead of the one who takes the captures in the
// list's order. The workers stay at most `window` files ahead of the taker, so a long list does
// not fill the memory with captures nobody has taken yet. Nothing a read throws leaves its
// thread: it becomes that file's outcome. Dropping the reader stops the workers after the files
// they are reading and joins them.
class ReadAhead {
 public:
  ReadAhead(std::vector<std::filesystem::path> paths, int jobs);
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;
  ~ReadAhead();

  // The next file's outcome in the list's order, waiting for its read; nothing after the last.
  std::optional<ReadOutcome> next();

  std::size_t size() const { return paths_.size(); }

 private:
  void work(const std::stop_token& stop);

  std::vector<std::filesystem::path> paths_;
  std::size_t window_ = 1;
  std::mutex lock_;
  std::condition_variable_any roomOrStop_;  // workers: a file may be claimed, or stop
  std::condition_variable done_;            // the taker: a file's read ended, or a worker left
  std::vector<std::optional<ReadOutcome>> outcomes_;
  std::size_t claimed_ = 0;            // files handed to workers
  std::size_t taken_ = 0;              // outcomes handed to the taker
  std::atomic<int> workers_ = 0;       // workers still running; changed under the lock but once
  std::vector<std::jthread> threads_;  // last: joined before the state above goes
};

// The workers for `jobs` (0 or less: one per core) and `files` files: at least one, at most one
// per file.
int WorkerCount(int jobs, std::size_t files);

}  // namespace sondrix::python

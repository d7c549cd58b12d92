#include "cli/batch.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

#include "cli/info.h"
#include "cli/output_claims.h"
#include "cli/quoted_name.h"
#include "io/safe_write.h"
#include "load/messages.h"

namespace sondrix::cli {
namespace {

class Batch;

// One worker's face to the core: the progress of its file feeds the batch's count; the status
// texts are not shown (the outcome says what happened).
class WorkerSink final : public UiSink {
 public:
  explicit WorkerSink(Batch& batch) : batch_(batch) {}
  void message(std::string_view) override {}
  void detail(std::string_view) override {}
  void progress(int value) override;
  int progressMax() const override { return kMax; }
  void pumpEvents() override {}

  double fraction() const { return std::clamp(value_.load(), 0, kMax) / double{kMax}; }
  void reset() { value_ = 0; }

 private:
  static constexpr int kMax = 1000;
  Batch& batch_;
  std::atomic<int> value_{0};
};

class Batch {
 public:
  Batch(const std::vector<std::filesystem::path>& inputs, const BatchOptions& options,
        BatchReport& report)
      : inputs_(inputs), options_(options), report_(report) {}

  bool run() {
    const std::size_t workers =
        std::clamp<std::size_t>(static_cast<std::size_t>(std::max(options_.jobs, 1)), 1,
                                std::max<std::size_t>(inputs_.size(), 1));
    // Threads no file needs format the text of the files there are (one large capture).
    convert_ = options_.convert;
    convert_.formatThreads = std::max(1, options_.jobs / static_cast<int>(workers));
    if (!options_.info) {
      outputs_.reserve(inputs_.size());
      for (const auto& input : inputs_) outputs_.push_back(OutputPathFor(input, convert_));
      refusals_ = CheckOutputs(inputs_, outputs_);
    }
    std::vector<std::unique_ptr<WorkerSink>> sinks;
    for (std::size_t w = 0; w < workers; ++w) sinks.push_back(std::make_unique<WorkerSink>(*this));
    sinks_ = &sinks;
    std::vector<std::thread> threads;
    for (std::size_t w = 1; w < workers; ++w) {
      try {
        threads.emplace_back([this, sink = sinks[w].get()] { work(*sink); });
      } catch (const std::system_error&) {
        break;  // fewer threads than asked for: the ones there are share the files
      }
    }
    work(*sinks[0]);
    for (std::thread& t : threads) t.join();
    return allOk_;
  }

  void tick() {
    std::unique_lock lock(reportMutex_, std::try_to_lock);
    if (lock) report_.progress(filesDone(), inputs_.size());  // a busy lock draws soon anyway
  }

 private:
  void work(WorkerSink& sink) {
    for (std::size_t i; (i = next_++) < inputs_.size();) {
      sink.reset();
      FileOutcome outcome = one(i, sink);
      sink.reset();
      ++finished_;
      report(i, std::move(outcome));
    }
  }

  FileOutcome one(std::size_t i, UiSink& ui) {
    try {
      if (options_.info) {
        WaveRecord record;
        const ConvertResult result = LoadInput(inputs_[i], record, ui);
        if (!result.ok) return {false, result.reason, {}};
        return {true, {}, "File: " + QuotedPath(inputs_[i]) + "\n" + InfoText(record)};
      }
      if (!refusals_[i].empty()) return {false, refusals_[i], {}};
      const ConvertResult result = ConvertTo(inputs_[i], outputs_[i], convert_, ui);
      if (!result.ok) return {false, result.reason, {}};
      // The name of each file written, one line each, except where it would land inside the CSV
      // text itself.
      if (IsStandardOutput(result.written)) return {true, {}, {}};
      return {true, {}, QuotedPath(result.written) + "\n"};
    } catch (const std::bad_alloc&) {
      return {false, load_messages::kNotEnoughMemory, {}};
    } catch (const std::exception& e) {
      return {false, e.what(), {}};
    }
  }

  // Keeps an outcome until those before it are reported, then reports every one in order.
  void report(std::size_t i, FileOutcome outcome) {
    std::lock_guard lock(reportMutex_);
    waiting_.emplace(i, std::move(outcome));
    for (auto at = waiting_.begin(); at != waiting_.end() && at->first == reported_;
         at = waiting_.erase(at)) {
      allOk_ = allOk_ && at->second.ok;
      report_.outcome(inputs_[reported_], at->second);
      ++reported_;
    }
    report_.progress(filesDone(), inputs_.size());
  }

  double filesDone() const {
    double done = static_cast<double>(finished_.load());
    for (const auto& sink : *sinks_) done += sink->fraction();
    return done;
  }

  const std::vector<std::filesystem::path>& inputs_;
  const BatchOptions& options_;
  BatchReport& report_;
  ConvertOptions convert_;
  std::vector<std::filesystem::path> outputs_;
  std::vector<std::string> refusals_;
  const std::vector<std::unique_ptr<WorkerSink>>* sinks_ = nullptr;
  std::atomic<std::size_t> next_{0};
  std::atomic<std::size_t> finished_{0};
  std::mutex reportMutex_;
  std::map<std::size_t, FileOutcome> waiting_;  // finished before an earlier file
  std::size_t reported_ = 0;
  bool allOk_ = true;
};

void WorkerSink::progress(int value) {
  value_ = value;
  batch_.tick();
}

}  // namespace

bool RunBatch(const std::vector<std::filesystem::path>& inputs, const BatchOptions& options,
              BatchReport& report) {
  return Batch(inputs, options, report).run();
}

}  // namespace sondrix::cli

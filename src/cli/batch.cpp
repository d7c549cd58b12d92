#include "cli/batch.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <exception>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

#include "cli/info.h"
#include "cli/messages.h"
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
  int progressMax() const override { return kParts; }
  void pumpEvents() override {}

  // The file's finished part, in kParts of it.
  int parts() const { return std::clamp(value_.load(), 0, kParts); }
  void reset() { value_ = 0; }

  static constexpr int kParts = 1000;

 private:
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
    // Joined however run() is left, before the sinks they report through go.
    std::vector<std::jthread> threads;
    for (std::size_t w = 1; w < workers; ++w) {
      try {
        threads.emplace_back([this, sink = sinks[w].get()] { work(*sink); });
      } catch (const std::system_error&) {
        break;  // fewer threads than asked for: the ones there are share the files
      } catch (const std::bad_alloc&) {
        break;  // no room to keep another thread: likewise
      }
    }
    work(*sinks[0]);
    threads.clear();  // joins them: every outcome is in
    return allOk_;
  }

  void tick() {
    std::unique_lock lock(reportMutex_, std::try_to_lock);
    if (lock) report_.progress(filesDone(), inputs_.size());  // a busy lock draws soon anyway
  }

 private:
  void work(WorkerSink& sink) {
    for (std::size_t i; (i = next_++) < inputs_.size();) report(i, one(i, sink), sink);
  }

  FileOutcome one(std::size_t i, UiSink& ui) {
    try {
      if (options_.info) {
        WaveRecord record;
        const ConvertResult result = LoadInput(inputs_[i], record, ui);
        if (!result.ok) return {false, result.reason, {}};
        return {
            true, {}, cli_messages::kInfoFile + QuotedPath(inputs_[i]) + "\n" + InfoText(record)};
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

  // Counts the file as finished, keeps its outcome until those before it are reported, then
  // reports every one in order.
  void report(std::size_t i, FileOutcome outcome, WorkerSink& sink) {
    std::lock_guard lock(reportMutex_);
    // Under the lock that every progress report takes, in one step: the file's part leaves the
    // sum as the whole file joins it, so the bar never steps back.
    ++finished_;
    sink.reset();
    waiting_.emplace(i, std::move(outcome));
    for (auto at = waiting_.begin(); at != waiting_.end() && at->first == reported_;
         at = waiting_.erase(at)) {
      allOk_ = allOk_ && at->second.ok;
      report_.outcome(inputs_[reported_], at->second);
      ++reported_;
    }
    report_.progress(filesDone(), inputs_.size());
  }

  // Only with reportMutex_ held. Each sink's part grows until its file is finished. Counted in
  // whole parts and divided once: a sum of fractions would round differently as files finish,
  // and could come out a hair below the one before.
  double filesDone() const {
    auto parts = static_cast<std::int64_t>(finished_) * WorkerSink::kParts;
    for (const auto& sink : *sinks_) parts += sink->parts();
    return static_cast<double>(parts) / WorkerSink::kParts;
  }

  const std::vector<std::filesystem::path>& inputs_;
  const BatchOptions& options_;
  BatchReport& report_;
  ConvertOptions convert_;
  std::vector<std::filesystem::path> outputs_;
  std::vector<std::string> refusals_;
  const std::vector<std::unique_ptr<WorkerSink>>* sinks_ = nullptr;
  std::atomic<std::size_t> next_{0};
  std::mutex reportMutex_;
  std::size_t finished_ = 0;  // guarded by reportMutex_, as is everything below it
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

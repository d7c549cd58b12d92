#include "csv/csv_writer.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <string_view>
#include <system_error>
#include <thread>
#include <type_traits>
#include <vector>

#include "csv/count_texts.h"
#include "csv/csv_layout.h"
#include "csv/time_texts.h"
#include "model/messages.h"
#include "model/sample_allocator.h"
#include "numtext/rounding.h"

namespace sondrix {
namespace {

constexpr int kProgressBlocks = 11;
// Lines formatted per piece of work: about 1 MB of text, large enough that a write costs one
// system call per megabyte, small enough to keep every core busy.
constexpr std::int64_t kChunkLines = 16384;
// Room for the text of all the pieces in work at once (16,384-line pieces for up to six threads):
// more threads get smaller pieces, so that what one file holds does not grow with the cores.
constexpr std::int64_t kTextRoom = std::int64_t{16} << 20;
constexpr std::int64_t kMinChunkLines = 1024;

// What the writer fixes at its start, so that events handled during a pump cannot change the
// shape of the file half-way.
struct WritePlan {
  std::int32_t points = 0;
  std::int64_t step = 1;
  std::int64_t lines = 0;
  std::int64_t chunkLines = kChunkLines;
  DataLineFormat format;
  CountTexts* texts = nullptr;  // of a long record's counts
};

// The file being written: nameless, or under a temporary name, until it is complete. The error
// of the last write is kept for the reason.
class TempFile {
 public:
  std::error_code open(const std::filesystem::path& target, WriteRules rules) {
    return file_.open(target, rules);
  }
  bool write(const char* data, std::size_t size) {
    error_ = file_.write(data, size);
    return !error_;
  }
  void reserve(std::uint64_t bytes) { file_.reserve(bytes); }
  const std::error_code& error() const { return error_; }
  std::error_code commit() { return file_.commit(); }

 private:
  SafeFile file_;
  std::error_code error_;
};

// What a data line usually takes: the time and values with exponents of up to two digits.
std::uint64_t likelyLineChars(const DataLineFormat& format) {
  const int time = kTimeDecimals + 7;                      // "-1.000000e-10"
  const int value = 1 + format.valueDecimals + 7;          // ",-1.0000e-10"
  const int line = time + format.columnCount * value + 2;  // a few dozen: no overflow
  return static_cast<std::uint64_t>(line);
}

// Records of at least this many lines written from counts copy their values' texts from a
// CountTexts table: making all of a column's texts costs about what formatting 16,384 lines would.
constexpr std::int64_t kCountTextLines = std::int64_t{1} << 17;

// How many lines ahead the fields of counts are asked from memory: about as far as the time
// of a miss to the last cache is spent on writing lines.
constexpr std::size_t kPrefetchLines = 24;

// One thread's text of up to `lines` lines, and the values it is made of: volts or counts.
struct Chunk {
  Chunk(std::int64_t lines, int columns, bool ofCounts)
      : data(static_cast<std::size_t>(lines) * kMaxDataLineChars) {
    const auto size = static_cast<std::size_t>(lines * columns);
    if (ofCounts) {
      counts = std::make_unique_for_overwrite<std::int16_t[]>(size);
    } else {
      volts = std::make_unique_for_overwrite<float[]>(size);
    }
    for (std::size_t c = 0; c < static_cast<std::size_t>(columns); ++c) {
      const std::size_t at = c * static_cast<std::size_t>(lines);
      if (ofCounts) {
        countColumns_[c] = counts.get() + at;
      } else {
        voltColumns_[c] = volts.get() + at;
      }
    }
  }
  std::span<float* const> voltColumns(int count) const {
    return std::span(voltColumns_).first(static_cast<std::size_t>(count));
  }
  std::span<std::int16_t* const> countColumns(int count) const {
    return std::span(countColumns_).first(static_cast<std::size_t>(count));
  }
  // On 2 MB pages, left unset: each thread's first piece is written into fresh memory.
  std::vector<char, SampleAllocator<char>> data;
  std::unique_ptr<float[]> volts;
  std::unique_ptr<std::int16_t[]> counts;
  std::size_t used = 0;

 private:
  std::array<float*, kChannelCount> voltColumns_{};
  std::array<std::int16_t*, kChannelCount> countColumns_{};
};

// Makes the text of lines [first, last) in `chunk`: the time, then each column's comma and value
// as `writeField(out, column, line - first)` writes them, then CR LF.
template <typename WriteField>
void makeText(const WritePlan& plan, std::int64_t first, std::int64_t last, Chunk& chunk,
              const WriteField& writeField) {
  TimeTexts time(plan.format.trigAddr, plan.format.delta, plan.step);
  char* out = chunk.data.data();
  for (std::int64_t line = first; line < last; ++line) {
    out = time.write(out, line * plan.step);
    const auto k = static_cast<std::size_t>(line - first);
    for (int c = 0; c < plan.format.columnCount; ++c) {
      out = writeField(out, c, k);
    }
    *out++ = '\r';
    *out++ = '\n';
  }
  chunk.used = static_cast<std::size_t>(out - chunk.data.data());
}

bool formatLines(const WritePlan& plan, std::int64_t first, std::int64_t last, Chunk& chunk,
                 CsvVoltSource& source) {
  const std::span<float* const> volts = chunk.voltColumns(plan.format.columnCount);
  if (!source.fill(first, last - first, plan.step, volts)) return false;
  makeText(plan, first, last, chunk, [&](char* out, int c, std::size_t k) {
    *out = ',';
    return FormatScientific(out + 1, volts[static_cast<std::size_t>(c)][k],
                            plan.format.valueDecimals);
  });
  return true;
}

// The same lines from counts: each value's text is copied from the plan's texts, or on a short
// record, where making them would not pay, formatted from its volts.
bool formatLines(const WritePlan& plan, std::int64_t first, std::int64_t last, Chunk& chunk,
                 CsvCountSource& source) {
  const std::span<std::int16_t* const> counts = chunk.countColumns(plan.format.columnCount);
  if (!source.fill(first, last - first, plan.step, counts)) return false;
  if (plan.texts != nullptr) {
    for (int c = 0; c < plan.format.columnCount; ++c) {
      const std::int16_t* column = counts[static_cast<std::size_t>(c)];
      std::int16_t least = column[0];
      std::int16_t greatest = column[0];
      for (std::int64_t k = 1; k < last - first; ++k) {
        least = std::min(least, column[k]);
        greatest = std::max(greatest, column[k]);
      }
      plan.texts->prepare(c, least, greatest);
    }
    const auto lines = static_cast<std::size_t>(last - first);
    makeText(plan, first, last, chunk, [&](char* out, int c, std::size_t k) {
      const std::int16_t* column = counts[static_cast<std::size_t>(c)];
      if (k + kPrefetchLines < lines) plan.texts->prefetch(c, column[k + kPrefetchLines]);
      return plan.texts->writeField(out, c, column[k]);
    });
  } else {
    makeText(plan, first, last, chunk, [&](char* out, int c, std::size_t k) {
      *out = ',';
      return FormatScientific(out + 1, source.volts(c, counts[static_cast<std::size_t>(c)][k]),
                              plan.format.valueDecimals);
    });
  }
  return true;
}

enum class LinesWritten { Ok, SourceFailed, WriteFailed };

// Writes lines [first, last) in order, formatted by up to one thread per chunk buffer (the
// caller and helpers). Each thread formats a piece into its own buffer, waits for its turn and
// writes it, then takes the next piece: while one thread writes, the others format, so the
// formatting keeps every core busy and the writes hide behind it.
template <typename Source>
LinesWritten writeLines(const WritePlan& plan, std::int64_t first, std::int64_t last,
                        TempFile& file, std::vector<Chunk>& chunks, Source& source) {
  const std::int64_t pieces = (last - first + plan.chunkLines - 1) / plan.chunkLines;
  std::atomic<std::int64_t> next{0};
  std::mutex mutex;
  std::condition_variable turn;
  // Pieces written so far; guarded by `mutex`, as is `failed`.
  std::int64_t written = 0;
  LinesWritten failed = LinesWritten::Ok;
  const auto work = [&](Chunk& chunk) {
    for (std::int64_t piece; (piece = next++) < pieces;) {
      const std::int64_t from = first + piece * plan.chunkLines;
      const bool formatted =
          formatLines(plan, from, std::min(from + plan.chunkLines, last), chunk, source);
      std::unique_lock lock(mutex);
      if (!formatted && failed == LinesWritten::Ok) failed = LinesWritten::SourceFailed;
      turn.wait(lock, [&] { return written == piece || failed != LinesWritten::Ok; });
      if (failed != LinesWritten::Ok) {
        turn.notify_all();
        return;
      }
      lock.unlock();  // the others may format meanwhile; none writes before `written` moves on
      const bool ok = file.write(chunk.data.data(), chunk.used);
      lock.lock();
      if (!ok) failed = LinesWritten::WriteFailed;
      ++written;
      turn.notify_all();
    }
  };
  // Joined however this function is left, before the state the helpers share goes.
  std::vector<std::jthread> helpers;
  const auto threads = static_cast<std::size_t>(
      std::clamp<std::int64_t>(pieces, 1, static_cast<std::int64_t>(chunks.size())));
  for (std::size_t t = 1; t < threads; ++t) {
    try {
      helpers.emplace_back(work, std::ref(chunks[t]));
    } catch (const std::system_error&) {
      break;  // no more threads to be had: those there are share the pieces
    } catch (const std::bad_alloc&) {
      break;  // no room to keep another thread: likewise
    }
  }
  work(chunks[0]);
  helpers.clear();  // joins them: `failed` is final
  return failed;
}

CsvWriteResult failed(std::string reason, std::int16_t status = -1) {
  return {status, std::move(reason)};
}

// The reasons that come from the system end with the system's text.
CsvWriteResult failed(std::string_view what, const std::error_code& why) {
  return failed(std::string(what) + ": " + why.message());
}

template <typename Source>
CsvWriteResult writeCsv(const std::filesystem::path& path, const WaveHeader& header, Source& source,
                        int skip, UiSink& ui, WriteRules rules, int threads) {
  WritePlan plan;
  plan.points = std::max(header.Points, 0);
  plan.step = std::int64_t{std::clamp(skip, 0, kMaxDataSkip)} + 1;
  plan.lines = plan.points == 0 ? 0 : (plan.points - 1) / plan.step + 1;
  plan.format.columnCount = ValueColumns(header);
  plan.format.trigAddr = header.TrigAddr;
  plan.format.delta = header.Delta;
  plan.format.valueDecimals = ValueDecimals(header);

  TempFile file;
  if (const std::error_code ec = file.open(path, rules)) {
    return failed("the file cannot be created", ec);
  }
  const std::string headerText = CsvHeaderText(header);
  if (!file.write(headerText.data(), headerText.size())) {
    return failed("writing failed", file.error());
  }

  file.reserve(headerText.size() +
               static_cast<std::uint64_t>(plan.lines) * likelyLineChars(plan.format));

  if (plan.format.columnCount == 2) ui.progress(0);
  if (threads <= 0) threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  const std::int64_t roomLines =
      kTextRoom / (std::int64_t{threads} * static_cast<std::int64_t>(kMaxDataLineChars));
  plan.chunkLines = std::clamp(roomLines, kMinChunkLines, kChunkLines);
  // A buffer per thread, and no more threads than pieces of text.
  const std::int64_t pieces = (plan.lines + plan.chunkLines - 1) / plan.chunkLines;
  const std::int64_t chunkLines = std::clamp<std::int64_t>(plan.lines, 1, plan.chunkLines);
  std::optional<CountTexts> texts;
  if constexpr (std::is_base_of_v<CsvCountSource, Source>) {
    if (plan.lines >= kCountTextLines) {
      texts.emplace(
          plan.format.columnCount, plan.format.valueDecimals,
          [&source](int column, std::int16_t count) { return source.volts(column, count); });
      plan.texts = &*texts;
    }
  }
  std::vector<Chunk> chunks;
  while (std::ssize(chunks) < std::clamp<std::int64_t>(pieces, 1, threads)) {
    chunks.emplace_back(chunkLines, plan.format.columnCount,
                        std::is_base_of_v<CsvCountSource, Source>);
  }
  for (int block = 0; block < kProgressBlocks; ++block) {
    const std::int64_t first = plan.lines * block / kProgressBlocks;
    const std::int64_t last = plan.lines * (block + 1) / kProgressBlocks;
    switch (writeLines(plan, first, last, file, chunks, source)) {
      case LinesWritten::Ok:
        break;
      case LinesWritten::SourceFailed:
        return failed("the volts could not be made", CsvWriteResult::kSourceFailed);
      case LinesWritten::WriteFailed:
        return failed("writing failed", file.error());
    }
    ui.progress(RoundClampInt32(double{1.0} * ui.progressMax() * (block + 1) / kProgressBlocks));
    ui.pumpEvents();
    if (plan.lines == 0) break;  // an empty record stops after its first block
  }
  ui.progress(ui.progressMax());
  if (const std::error_code ec = file.commit())
    return failed("the file could not be completed", ec);
  return {};
}

// The volts of arrays that hold the whole record. They are looked up at each piece: the window
// may grow them while the writer pumps its events, never shrink them.
class ArrayVolts final : public CsvVoltSource {
 public:
  explicit ArrayVolts(const VoltArrays& volts) : volts_(volts) {}
  bool fill(std::int64_t firstLine, std::int64_t lines, std::int64_t step,
            std::span<float* const> columns) override {
    for (std::size_t c = 0; c < columns.size(); ++c) {
      const float* from = volts_[c].data();
      float* to = columns[c];
      for (std::int64_t k = 0; k < lines; ++k) to[k] = from[(firstLine + k) * step];
    }
    return true;
  }

 private:
  const VoltArrays& volts_;
};

CsvWriteResult guarded(const auto& write) {
  try {
    return write();
  } catch (const std::bad_alloc&) {
    return failed(std::string(model_messages::kNotEnoughMemory) + " to write the file");
  }
}

}  // namespace

CsvWriteResult WriteCsvFile(const std::filesystem::path& path, const WaveHeader& header,
                            const VoltArrays& volts, int skip, UiSink& ui, WriteRules rules,
                            int threads) {
  const std::int32_t points = std::max(header.Points, 0);
  const auto columns = static_cast<std::size_t>(ValueColumns(header));
  for (std::size_t c = 0; c < columns; ++c) {
    if (volts[c].size() < static_cast<std::size_t>(points)) {
      return failed("the volts of channel " + std::to_string(c + 1) + " hold fewer than " +
                    std::to_string(points) + " samples");
    }
  }
  ArrayVolts source(volts);
  return guarded([&] { return writeCsv(path, header, source, skip, ui, rules, threads); });
}

CsvWriteResult WriteCsvFile(const std::filesystem::path& path, const WaveHeader& header,
                            CsvVoltSource& volts, int skip, UiSink& ui, WriteRules rules,
                            int threads) {
  return guarded([&] { return writeCsv(path, header, volts, skip, ui, rules, threads); });
}

CsvWriteResult WriteCsvFile(const std::filesystem::path& path, const WaveHeader& header,
                            CsvCountSource& counts, int skip, UiSink& ui, WriteRules rules,
                            int threads) {
  return guarded([&] { return writeCsv(path, header, counts, skip, ui, rules, threads); });
}

}  // namespace sondrix

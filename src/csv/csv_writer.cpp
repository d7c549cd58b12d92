#include "csv/csv_writer.h"

#include <algorithm>
#include <memory>
#include <new>
#include <string_view>
#include <system_error>
#include <thread>

#include "csv/csv_layout.h"
#include "numtext/rounding.h"

namespace sondrix {
namespace {

constexpr int kProgressBlocks = 11;
// Lines formatted per piece of work: about 1 MB of text, large enough that starting a thread
// per pair of pieces costs nothing measurable, small enough to keep both cores busy.
constexpr std::int64_t kChunkLines = 16384;

// What the writer fixes at its start, so that events handled during a pump cannot change the
// shape of the file half-way.
struct WritePlan {
  std::int32_t points = 0;
  std::int64_t step = 1;
  std::int64_t lines = 0;
  DataLineFormat format;
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
  const std::error_code& error() const { return error_; }
  std::error_code commit() { return file_.commit(); }

 private:
  SafeFile file_;
  std::error_code error_;
};

struct Chunk {
  std::unique_ptr<char[]> data =
      std::make_unique_for_overwrite<char[]>(kChunkLines * kMaxDataLineChars);
  std::size_t used = 0;
};

void formatLines(const WritePlan& plan, std::int64_t first, std::int64_t last, Chunk& chunk) {
  char* out = chunk.data.get();
  for (std::int64_t line = first; line < last; ++line) {
    out = FormatDataLine(out, plan.format, line * plan.step);
  }
  chunk.used = static_cast<std::size_t>(out - chunk.data.get());
}

// Formats lines [first, last) on both cores and writes them in order.
bool writeLines(const WritePlan& plan, std::int64_t first, std::int64_t last, TempFile& file,
                Chunk& a, Chunk& b) {
  for (std::int64_t line = first; line < last; line += 2 * kChunkLines) {
    const std::int64_t mid = std::min(line + kChunkLines, last);
    const std::int64_t end = std::min(mid + kChunkLines, last);
    std::thread helper;
    if (end > mid) {
      try {
        helper = std::thread([&] { formatLines(plan, mid, end, b); });
      } catch (const std::system_error&) {
        formatLines(plan, mid, end, b);  // no second thread to be had: one core does both
      }
    }
    formatLines(plan, line, mid, a);
    if (helper.joinable()) helper.join();
    if (!file.write(a.data.get(), a.used)) return false;
    if (end > mid && !file.write(b.data.get(), b.used)) return false;
  }
  return true;
}

CsvWriteResult failed(std::string reason) { return {-1, std::move(reason)}; }

// The reasons that come from the system end with the system's text.
CsvWriteResult failed(std::string_view what, const std::error_code& why) {
  return failed(std::string(what) + ": " + why.message());
}

CsvWriteResult writeCsv(const std::filesystem::path& path, const WaveHeader& header,
                        const VoltArrays& volts, int skip, UiSink& ui, WriteRules rules) {
  WritePlan plan;
  plan.points = std::max(header.Points, 0);
  plan.step = std::int64_t{std::clamp(skip, 0, 1000)} + 1;
  plan.lines = plan.points == 0 ? 0 : (plan.points - 1) / plan.step + 1;
  plan.format.columnCount = ValueColumns(header);
  plan.format.trigAddr = header.TrigAddr;
  plan.format.delta = header.Delta;
  plan.format.valueDecimals = ValueDecimals(header);
  const auto columns = static_cast<std::size_t>(plan.format.columnCount);
  for (std::size_t c = 0; c < columns; ++c) {
    if (volts[c].size() < static_cast<std::size_t>(plan.points)) {
      return failed("the volts of channel " + std::to_string(c + 1) + " hold fewer than " +
                    std::to_string(plan.points) + " samples");
    }
  }

  TempFile file;
  if (const std::error_code ec = file.open(path, rules)) {
    return failed("the file cannot be created", ec);
  }
  const std::string headerText = CsvHeaderText(header);
  if (!file.write(headerText.data(), headerText.size())) {
    return failed("writing failed", file.error());
  }

  if (plan.format.columnCount == 2) ui.progress(0);
  Chunk a;
  Chunk b;
  for (int block = 0; block < kProgressBlocks; ++block) {
    const std::int64_t first = plan.lines * block / kProgressBlocks;
    const std::int64_t last = plan.lines * (block + 1) / kProgressBlocks;
    for (std::size_t c = 0; c < columns; ++c) plan.format.columns[c] = volts[c].data();
    if (!writeLines(plan, first, last, file, a, b)) return failed("writing failed", file.error());
    ui.progress(RoundClampInt32(double{1.0} * ui.progressMax() * (block + 1) / kProgressBlocks));
    ui.pumpEvents();
    if (plan.lines == 0) break;  // an empty record stops after its first block
  }
  ui.progress(ui.progressMax());
  if (const std::error_code ec = file.commit())
    return failed("the file could not be completed", ec);
  return {};
}

}  // namespace

CsvWriteResult WriteCsvFile(const std::filesystem::path& path, const WaveHeader& header,
                            const VoltArrays& volts, int skip, UiSink& ui, WriteRules rules) {
  try {
    return writeCsv(path, header, volts, skip, ui, rules);
  } catch (const std::bad_alloc&) {
    return failed("not enough memory to write the file");
  }
}

}  // namespace sondrix

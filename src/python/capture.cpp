#include "python/capture.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <mutex>
#include <span>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>

#include "csv/csv_layout.h"
#include "csv/export_record.h"
#include "csv/messages.h"
#include "io/unique_fd.h"
#include "io/utf8_path.h"
#include "load/load_file.h"
#include "load/messages.h"
#include "model/sample_allocator.h"
#include "model/sample_buffers.h"
#include "model/volts.h"
#include "wfm/wfm_reader.h"

namespace sondrix::python {
namespace {

// The reasons name their file in some cases; the message names it once in every case.
std::string failureText(const std::filesystem::path& path, const std::string& reason) {
  const std::string name = Utf8Path(path);
  if (reason.find(name) != std::string::npos) return reason;
  return name + ": " + reason;
}

// Opens the file only to tell a missing, unreadable or not regular file (OSError in Python)
// from one the reader refuses (ReadError); the reader opens it again.
void checkOpens(const std::filesystem::path& path) {
  UniqueFd fd;
  fd.reset(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!fd.valid()) throw OpenFailure(path, errno);
  struct stat status {};
  if (::fstat(fd.get(), &status) != 0) throw OpenFailure(path, errno);
  if (S_ISDIR(status.st_mode)) throw OpenFailure(path, EISDIR);
}

// A block on the sample arrays' storage: large ones on 2 MB pages, as NumPy does for its own
// large arrays (filling 120 MB of new 4 kB pages costs more in page faults than the volts cost to
// compute), and on the pages of blocks freed before where there are some.
template <typename T>
Block<T> makeBlock(std::int64_t rows, std::int64_t points) {
  const std::size_t count = static_cast<std::size_t>(rows) * static_cast<std::size_t>(points);
  if (count > std::numeric_limits<std::size_t>::max() / sizeof(T)) throw std::bad_alloc();
  const std::size_t bytes = std::max<std::size_t>(count * sizeof(T), 1);
  // Every element is written before NumPy sees it, so the block is not cleared first.
  auto* memory = static_cast<T*>(AllocateSamples(bytes));
  return {std::shared_ptr<T[]>(memory, [bytes](T* block) { FreeSamples(block, bytes); }), rows,
          points};
}

std::size_t pointsOf(const WaveHeader& header) {
  return static_cast<std::size_t>(std::max(header.Points, 0));
}

// One piece of the volts: samples begin..end of one row. False when a value lies beyond the float
// range (it is stored as 0, as the store would).
bool fillPiece(const WaveRecord& record, int ch, float* volts, std::size_t begin, std::size_t end) {
  const auto c = static_cast<std::size_t>(ch);
  const ChannelSetup& setup = record.header.Channel[c];
  return CountsToFloatVolts({record.buffers.SrcData[c].data() + begin, end - begin}, volts + begin,
                            setup.Vdiv, setup.Offset);
}

// Pieces of a quarter million samples (a megabyte of volts), so that the threads share even a
// single row and a last, shorter piece is the rule rather than the exception.
constexpr std::size_t kPiece = std::size_t{1} << 18;

std::size_t piecesOf(std::size_t points) {
  return std::max<std::size_t>((points + kPiece - 1) / kPiece, 1);
}

// Piece p of rows of n samples cut into perRow pieces each: its row and samples begin..end.
struct Piece {
  std::size_t row;
  std::size_t begin;
  std::size_t end;
};

Piece pieceOf(std::size_t p, std::size_t perRow, std::size_t n) {
  const std::size_t begin = std::min(p % perRow * kPiece, n);
  return {p / perRow, begin, std::min(begin + kPiece, n)};
}

// work(p) for every p below `pieces`, each once, on `threads` threads (this one among them).
template <typename Work>
void runPieces(std::size_t pieces, int threads, const Work& work) {
  std::atomic<std::size_t> next = 0;
  const auto run = [&] {
    for (std::size_t p = next++; p < pieces; p = next++) work(p);
  };
  std::vector<std::jthread> helpers;
  const auto most = static_cast<std::size_t>(std::max(threads, 1)) - 1;
  try {
    while (helpers.size() < std::min(most, pieces)) helpers.emplace_back(run);
  } catch (const std::system_error&) {
    // No more threads to be had: the pieces left are this thread's.
  }
  run();
}  // joins the helpers

// A WFM capture's samples into the record's source arrays and, for the shown channels, each
// piece's volts as soon as its counts are in place: they are then still in the cache, and the
// threads share the reading as well as the volts. Throws ReadFailure when the file, cut short
// since it was opened, cannot give its samples or a volt does not fit a 32-bit float.
void readWfmSamples(const std::filesystem::path& path, WaveRecord& record,
                    const std::vector<int>& shown, float* volts, const WfmSampleReader& file,
                    int threads) {
  const std::size_t n = pointsOf(record.header);
  const int stored = record.waveBuf.storedChannels;
  std::array<float*, kChannelCount> rows{};  // each channel's row of volts; none if not shown
  for (std::size_t row = 0; row < shown.size(); ++row) {
    rows[static_cast<std::size_t>(shown[row])] = volts + row * n;
  }
  const std::size_t perChannel = piecesOf(n);
  std::atomic<bool> fits = true;
  std::mutex failing;
  std::string reason;
  runPieces(kChannelCount * perChannel, threads, [&](std::size_t p) {
    const auto [ch, begin, end] = pieceOf(p, perChannel, n);
    // A shown channel the file does not hold keeps the zeros its array grew with.
    if (static_cast<int>(ch) < stored) {
      const std::span<std::int16_t> counts(record.buffers.SrcData[ch].data() + begin, end - begin);
      ReadResult got = file.read(static_cast<int>(ch), static_cast<std::int64_t>(begin), counts);
      if (!got.ok()) {
        const std::scoped_lock hold(failing);
        if (reason.empty()) reason = std::move(got.reason);
        return;
      }
    }
    if (rows[ch] && !fillPiece(record, static_cast<int>(ch), rows[ch], begin, end)) fits = false;
  });
  if (!reason.empty()) throw ReadFailure(path, reason);
  if (!fits) throw ReadFailure(path, csv_messages::kVoltsDoNotFit);
}

}  // namespace

bool FillArrays(Capture& capture, int threads) {
  const std::size_t n = pointsOf(capture.record_.header);
  const std::size_t rows = capture.shown_.size();
  const std::size_t perRow = piecesOf(n);
  std::atomic<bool> fits = true;
  runPieces(rows * perRow, threads, [&](std::size_t p) {
    const auto [row, begin, end] = pieceOf(p, perRow, n);
    if (!fillPiece(capture.record_, capture.shown_[row], capture.volts_.data.get() + row * n, begin,
                   end)) {
      fits = false;
    }
  });
  return fits;
}

ReadFailure::ReadFailure(std::filesystem::path path, const std::string& reason)
    : std::runtime_error(failureText(path, reason)), path_(std::move(path)), reason_(reason) {}

OpenFailure::OpenFailure(std::filesystem::path path, int error)
    : std::runtime_error(Utf8Path(path) + ": " + std::generic_category().message(error)),
      path_(std::move(path)),
      error_(error) {}

std::unique_ptr<Capture> ReadCapture(const std::filesystem::path& path, int threads) {
  checkOpens(path);
  auto capture = std::make_unique<Capture>();
  capture->path_ = path;
  WaveRecord& record = capture->record_;
  NullSink quiet;
  const auto makeVolts = [&] {
    capture->shown_ = ShownChannels(record.header);
    capture->volts_ = makeBlock<float>(static_cast<std::int64_t>(capture->shown_.size()),
                                       static_cast<std::int64_t>(pointsOf(record.header)));
  };
  if (KindOfFile(path) == FileKind::Wfm) {
    // The header with every check of the converter's load, then the samples piece by piece.
    WfmSampleReader file;
    const LoadResult loaded = LoadWfmHeader(path, record, file, quiet);
    if (!loaded.ok) throw ReadFailure(path, loaded.reason);
    if (!GrowSource(record.buffers, SourceSizeForDrawing(record.header.Points))) {
      throw ReadFailure(path, load_messages::kNotEnoughMemory);
    }
    makeVolts();
    readWfmSamples(path, record, capture->shown_, capture->volts_.data.get(), file, threads);
    return capture;
  }
  const LoadResult loaded = LoadFileStrict(path, record, quiet);
  if (!loaded.ok) throw ReadFailure(path, loaded.reason);
  // A CSV file's volts are not read again: the export makes its volts from the source counts.
  // Dropped, they do not hold memory as long as the capture.
  record.buffers.VoltData = {};
  makeVolts();
  if (!FillArrays(*capture, threads)) throw ReadFailure(path, csv_messages::kVoltsDoNotFit);
  return capture;
}

Block<std::int16_t> Capture::raw() {
  const std::scoped_lock hold(lock_);
  if (!raw_.data) {
    const std::size_t n = pointsOf(record_.header);
    Block<std::int16_t> raw = makeBlock<std::int16_t>(static_cast<std::int64_t>(shown_.size()),
                                                      static_cast<std::int64_t>(n));
    for (std::size_t row = 0; row < shown_.size(); ++row) {
      const std::int16_t* counts =
          record_.buffers.SrcData[static_cast<std::size_t>(shown_[row])].data();
      std::copy_n(counts, n, raw.data.get() + row * n);
    }
    raw_ = std::move(raw);
  }
  return raw_;
}

Block<double> Capture::time() {
  const std::scoped_lock hold(lock_);
  if (!time_.data) {
    const std::size_t n = pointsOf(record_.header);
    Block<double> time = makeBlock<double>(1, static_cast<std::int64_t>(n));
    const std::int64_t trigAddr = record_.header.TrigAddr;
    const double delta = record_.header.Delta;
    double* seconds = time.data.get();
    for (std::size_t i = 0; i < n; ++i) {
      seconds[i] = static_cast<double>(static_cast<std::int64_t>(i) - trigAddr) * delta;
    }
    time_ = std::move(time);
  }
  return time_;
}

std::vector<ChannelMeasurement> Capture::measure(std::int64_t start,
                                                 std::optional<std::int64_t> end) {
  const std::int64_t points = record_.header.Points;
  const std::int64_t stop = end.value_or(points);
  if (start < 0 || stop > points || start >= stop) {
    throw std::invalid_argument("the window " + std::to_string(start) + ".." +
                                std::to_string(stop) + " is empty or reaches beyond the " +
                                std::to_string(points) + " samples");
  }
  // Both within 0..Points, which is an int32; the measurement's end is its last sample.
  const auto first = static_cast<std::int32_t>(start);
  const auto last = static_cast<std::int32_t>(stop - 1);
  return MeasureShownChannels(record_, first, last);
}

void Capture::writeCsv(const std::filesystem::path& path, std::int64_t skip) {
  if (skip < 0 || skip > kMaxDataSkip) {
    throw std::invalid_argument("skip must be within 0.." + std::to_string(kMaxDataSkip));
  }
  const std::scoped_lock hold(lock_);
  NullSink quiet;
  // The converter's export step with the converter's options.
  const ExportResult written = ExportRecord(record_, {}, path, static_cast<int>(skip), quiet,
                                            {.rules = {.nonRegular = NonRegularTarget::Stream},
                                             .threads = 0,
                                             .unfit = UnfitVolts::Refuse,
                                             .beforeWrite = {}});
  // The volts were for this file only.
  record_.buffers.VoltData = {};
  if (written.status == ExportResult::Status::UnfitVolts) {
    throw std::domain_error(written.reason);
  }
  if (!written.ok()) throw WriteFailure(Utf8Path(path) + ": " + written.reason);
}

}  // namespace sondrix::python

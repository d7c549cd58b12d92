#include "python/capture.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>

#include "csv/csv_layout.h"
#include "csv/export_record.h"
#include "csv/messages.h"
#include "io/unique_fd.h"
#include "io/utf8_path.h"
#include "load/load_file.h"
#include "model/volts.h"

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

template <typename T>
Block<T> makeBlock(std::int64_t rows, std::int64_t points) {
  const auto size = static_cast<std::size_t>(rows) * static_cast<std::size_t>(points);
  // Every element is written before NumPy sees it; zeroing 80 MB first would only cost time.
  return {std::shared_ptr<T[]>(std::make_unique_for_overwrite<T[]>(size)), rows, points};
}

std::size_t pointsOf(const WaveHeader& header) {
  return static_cast<std::size_t>(std::max(header.Points, 0));
}

}  // namespace

ReadFailure::ReadFailure(std::filesystem::path path, const std::string& reason)
    : std::runtime_error(failureText(path, reason)), path_(std::move(path)), reason_(reason) {}

OpenFailure::OpenFailure(std::filesystem::path path, int error)
    : std::runtime_error(Utf8Path(path) + ": " + std::generic_category().message(error)),
      path_(std::move(path)),
      error_(error) {}

std::unique_ptr<Capture> ReadCapture(const std::filesystem::path& path) {
  checkOpens(path);
  auto capture = std::make_unique<Capture>();
  capture->path_ = path;
  WaveRecord& record = capture->record_;
  NullSink quiet;
  LoadResult loaded = LoadFileStrict(path, record, quiet);
  if (!loaded.ok) throw ReadFailure(path, loaded.reason);
  // Neither the reader's sample matrix nor a CSV file's volts are read again: the export makes
  // its volts from the source counts. Dropped, they do not hold memory as long as the capture.
  record.waveBuf.samples = {};
  record.buffers.VoltData = {};

  capture->shown_ = ShownChannels(record.header);
  const auto rows = static_cast<std::int64_t>(capture->shown_.size());
  const std::size_t n = pointsOf(record.header);
  capture->raw_ = makeBlock<std::int16_t>(rows, static_cast<std::int64_t>(n));
  capture->volts_ = makeBlock<float>(rows, static_cast<std::int64_t>(n));
  constexpr double maxFloat = std::numeric_limits<float>::max();
  for (std::size_t row = 0; row < capture->shown_.size(); ++row) {
    const auto ch = static_cast<std::size_t>(capture->shown_[row]);
    const std::int16_t* counts = record.buffers.SrcData[ch].data();
    std::int16_t* raw = capture->raw_.data.get() + row * n;
    float* volts = capture->volts_.data.get() + row * n;
    std::copy_n(counts, n, raw);
    // The store's own conversion (ToVolts): counts to volts in double, then to float.
    const ChannelSetup& setup = record.header.Channel[ch];
    bool fits = true;
    for (std::size_t i = 0; i < n; ++i) {
      const double v = CountsToVolts(counts[i], setup.Vdiv, setup.Offset);
      const bool fit = std::fabs(v) <= maxFloat;
      fits = fits && fit;
      volts[i] = fit ? static_cast<float>(v) : 0.0f;
    }
    if (!fits) throw ReadFailure(path, csv_messages::kVoltsDoNotFit);
  }
  return capture;
}

Block<double> Capture::time() {
  const std::scoped_lock hold(lock_);
  if (!time_.data) {
    const std::size_t n = pointsOf(record_.header);
    Block<double> time = makeBlock<double>(1, static_cast<std::int64_t>(n));
    const std::int64_t trigAddr = record_.header.TrigAddr;
    const double delta = record_.header.Delta;
    for (std::size_t i = 0; i < n; ++i) {
      time.data[i] = static_cast<double>(static_cast<std::int64_t>(i) - trigAddr) * delta;
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

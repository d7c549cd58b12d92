#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/wave_record.h"
#include "view/measurements.h"

// What the Python module holds of one capture, without Python: the module's bindings turn these
// into NumPy arrays and Python exceptions.
namespace sondrix::python {

// The file opened, but the reader refused it: the converter's reason for the file.
class ReadFailure : public std::runtime_error {
 public:
  ReadFailure(std::filesystem::path path, const std::string& reason);
  const std::filesystem::path& path() const { return path_; }
  const std::string& reason() const { return reason_; }

 private:
  std::filesystem::path path_;
  std::string reason_;
};

// The file could not be opened at all: the system's error number, for Python's OSError family.
class OpenFailure : public std::runtime_error {
 public:
  OpenFailure(std::filesystem::path path, int error);
  const std::filesystem::path& path() const { return path_; }
  int error() const { return error_; }

 private:
  std::filesystem::path path_;
  int error_;
};

// A block of samples, rows of `points` values one after another, that NumPy views. Shared so an
// array outlives the capture it came from.
template <typename T>
struct Block {
  std::shared_ptr<T[]> data;
  std::int64_t rows = 0;
  std::int64_t points = 0;
};

// One loaded capture. The record keeps the source counts for the CSV export and the
// measurements, which take them from there exactly as the converter and the window do; volts are
// the shown channels' rows, made once at the read. Not copyable: the arrays and the lock belong
// to it.
class Capture {
 public:
  Capture() = default;
  Capture(const Capture&) = delete;
  Capture& operator=(const Capture&) = delete;

  const std::filesystem::path& path() const { return path_; }
  const WaveHeader& header() const { return record_.header; }
  std::int32_t wfmChannels() const { return record_.WfmChannels; }
  std::int32_t wfmPoints() const { return record_.WfmPoints; }
  // The channels (0 to 3) of the rows, as the window shows them: within the channel count and
  // displayed.
  const std::vector<int>& shown() const { return shown_; }
  const Block<float>& volts() const { return volts_; }
  // The shown channels' counts as rows: made on the first call, since most uses want only the
  // volts, and a copy of every count at each read would cost a read a quarter of its time.
  Block<std::int16_t> raw();
  // (i - TrigAddr) x Delta for every sample, as the CSV's time column: made on the first call.
  Block<double> time();

  // The measurement table over samples start..end - 1 of every shown channel. Throws
  // std::invalid_argument for a window that is empty or reaches beyond the record (end:
  // none for the record's end).
  std::vector<ChannelMeasurement> measure(std::int64_t start, std::optional<std::int64_t> end);

  // The converter's export of the capture to `path`, every (skip + 1)-th sample. Throws
  // std::invalid_argument for a skip outside 0..kMaxDataSkip, std::domain_error when a displayed
  // channel's volts do not fit a 32-bit float and WriteFailure when the file cannot be written.
  void writeCsv(const std::filesystem::path& path, std::int64_t skip);

  friend std::unique_ptr<Capture> ReadCapture(const std::filesystem::path& path, int threads);
  friend bool FillArrays(Capture& capture, int threads);

 private:
  std::mutex lock_;  // the record's volt arrays during an export, and the raw and time blocks
  std::filesystem::path path_;
  WaveRecord record_;
  std::vector<int> shown_;
  Block<std::int16_t> raw_;
  Block<float> volts_;
  Block<double> time_;
};

// Why an export could not write its file: the safe write's reason with the file's name.
class WriteFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Loads a WFM, CSV or TXT file as the converter does (LoadFileStrict, by the file's name: the
// same record to the bit) and makes its arrays. Throws OpenFailure when the file cannot be opened,
// ReadFailure when the reader refuses it or a shown channel's volts do not fit a 32-bit float,
// std::bad_alloc when memory runs out. A WFM file's samples are read and the volts made on
// `threads` threads (this one among them); a CSV file's volts are made on them.
std::unique_ptr<Capture> ReadCapture(const std::filesystem::path& path, int threads);

// Fills volts from the record's source arrays on `threads` threads; false when a shown channel's
// volts do not fit a 32-bit float.
bool FillArrays(Capture& capture, int threads);

}  // namespace sondrix::python

#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "csv/csv_writer.h"
#include "model/sample_buffers.h"
#include "model/ui_sink.h"
#include "model/wave_header.h"

namespace sondrix {

// An open text file read line by line through one buffer.
class TextFile {
 public:
  explicit TextFile(const std::filesystem::path& path);
  ~TextFile();
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

  bool isOpen() const { return file_ != nullptr; }
  bool atEnd();  // true once every character has been delivered, or the file failed

 private:
  friend std::string_view ReadTextLine(TextFile& file, std::string& line);
  bool fill();

  std::FILE* file_ = nullptr;
  std::string buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool eof_ = false;
};

// The next line without its line end: LF ends a line, every CR is dropped (so CR LF and LF files
// read alike, and a lone CR does not end a line), and a last line without an end is delivered.
// The text lives in `line`, which the caller reuses from line to line.
std::string_view ReadTextLine(TextFile& file, std::string& line);

// The fields of one line; slots beyond a line's field count keep what an earlier line left.
inline constexpr int kFieldSlots = 11;
using FieldTable = std::array<std::string, kFieldSlots>;

// Splits at every comma (quotes mean nothing, fields are not trimmed, CR and LF are dropped) and
// returns the field count. A line of more than 11 fields, or longer than 32,767 characters,
// empties slots 0 and 1 and returns 2.
std::int16_t Get_Items(std::string_view strl, FieldTable& item);

struct CsvReadResult {
  // The stored point count (0 or more), or -1 when a header line stopped the read.
  std::int32_t points = -1;
  // Set by a "POINT" line: the caption of the acquired-data-size label.
  std::optional<std::string> acqDataSizeText;
  std::string reason;  // why the read stopped, with the line number
};

// Reads an instrument CSV/TXT waveform file (or one the program exported) into the header and
// the volt arrays. The volt arrays grow as the data needs and never shrink; the samples from the
// last data line up to the rounded Points are set to zero in all four channels. Every 10,000
// samples it shows "データindex=" and the count in `ui.detail` and pumps events once; anything the
// window does meanwhile may grow the arrays, so they are looked up again after every pump.
CsvReadResult ReadCsvFile(const std::filesystem::path& path, VoltArrays& volts, WaveHeader& header,
                          UiSink& ui);

// The volts of every channel whose DispOn is 1 back into counts in SrcData (grown to Points when
// shorter): (volts + Offset) / Vdiv x 8192, rounded half to even. Values beyond the 16-bit range
// saturate; a channel whose Vdiv is 0 gives 0 counts. False when Points is below 0 or beyond the
// capacity or beyond the volt arrays; nothing changes then.
bool VoltsToRaw(const WaveHeader& header, SampleBuffers& buffers);

}  // namespace sondrix

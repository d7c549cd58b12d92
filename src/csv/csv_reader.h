#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "csv/data_lines.h"
#include "csv/field_table.h"
#include "model/sample_buffers.h"
#include "model/ui_sink.h"
#include "model/wave_header.h"

namespace sondrix {

struct CsvReadResult {
  // The stored point count (0 or more), or -1 when a header line stopped the read.
  std::int32_t points = -1;
  // The count a "POINT" line gave (rounded to tens), for the point-count caption.
  std::optional<std::int32_t> statedPoints;
  std::string reason;  // why the read stopped, with the line number
  // What the file held, so that a caller can tell a waveform from text that merely has the
  // right name: whether a column-header line was met, and the data lines read after it.
  bool columnHeader = false;
  std::int32_t dataLines = 0;
  // Whether the first data line converts in at least one of its value fields.
  bool firstDataLineHoldsNumber = false;
};

// Reads an instrument CSV/TXT waveform file (or one the program exported) into the header and
// the volt arrays. The data start at a column-header line "CH1 ...,CH2 ..." (values only) or
// "TIME...,CH1 ..." (the program's own files: the time column is skipped). At most
// kSampleCapacity - 1 samples are read; Points is the sample count rounded half to even to tens.
// The volt arrays grow as the data needs and never shrink; the samples from the last data line
// up to the rounded Points are set to zero in all four channels. The data lines are parsed on
// every core (`split`, see ReadDataLines), with the same samples as one line after another. Every
// 10,000 samples it shows "データindex=" and the count in `ui.detail` and pumps events once;
// anything the window does meanwhile may grow the arrays, so they are looked up again after the
// pumps.
// Every read clears DispOn and Display of all four channels first. A model line with an empty name
// (or "unknown", what the program writes for none) sets the name "unknown" and takes the channel
// count from the column header's channel columns.
// A file that cannot be opened, a header value that does not convert, a channel line for a
// channel beyond 1 to 4 or too little memory for the samples give -1; members set before then
// keep their new values.
CsvReadResult ReadCsvFile(const std::filesystem::path& path, VoltArrays& volts, WaveHeader& header,
                          UiSink& ui, const DataSplit& split = {});
// The same read of a file's contents already in memory.
CsvReadResult ReadCsvBytes(std::string_view bytes, VoltArrays& volts, WaveHeader& header,
                           UiSink& ui, const DataSplit& split = {});

// The volts of every channel whose DispOn is 1 back into counts in SrcData (grown to Points when
// shorter): (volts + Offset) / Vdiv x 8192, rounded half to even. Values beyond the 16-bit range
// saturate; a channel whose Vdiv is 0 gives 0 counts. False when Points is below 0 or beyond the
// capacity or beyond the volt arrays; nothing changes then.
bool VoltsToRaw(const WaveHeader& header, SampleBuffers& buffers);

}  // namespace sondrix

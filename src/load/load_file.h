#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "model/ui_sink.h"
#include "model/wave_record.h"

namespace sondrix {

class WfmSampleReader;

enum class FileKind { Wfm, Csv };

// A waveform file by its name's ending, in any case: .WFM a capture, .CSV or .TXT text; nothing
// for any other name.
std::optional<FileKind> WaveFileKind(const std::filesystem::path& path);

// As WaveFileKind, reading a file of any other name as a capture.
FileKind KindOfFile(const std::filesystem::path& path);

struct LoadResult {
  bool ok = false;
  std::string reason;  // what was wrong and where; empty on success
  // The point-count caption, when the load sets it: a WFM load whatever its outcome (the count
  // its binary header gave), a CSV load only on success and only when a "POINT" line gave one.
  std::optional<std::string> acqDataSizeText;
  // Of a CSV load, what its reader found: a column-header line, and the data lines after it.
  bool csvColumnHeader = false;
  std::int32_t csvDataLines = 0;
  bool csvFirstLineHoldsNumber = false;
};

// Makes one WFM capture the record's waveform: reads it, copies each channel into its source
// array (inverted where its setting says so) and sets the trigger's sample index. A failed read
// or copy leaves the source arrays as they were; the header keeps what the reader wrote.
LoadResult LoadWfmFile(const std::filesystem::path& path, WaveRecord& record, UiSink& ui);
LoadResult LoadWfmBytes(std::string_view bytes, WaveRecord& record, UiSink& ui);

// LoadWfmFile but for the samples, for a converter that reads them where they lie: the header
// with every check of the load (the points, the channels it takes, the sample interval) and the
// trigger's sample index, and `samples` open on the file. The source arrays are not touched.
LoadResult LoadWfmHeader(const std::filesystem::path& path, WaveRecord& record,
                         WfmSampleReader& samples, UiSink& ui);

// Makes one CSV/TXT waveform file the record's waveform: reads its header and volts, turns the
// volts of the displayed channels back into counts and sets the trigger's sample index. A file
// that stops on a bad header line (or needs more memory than there is) leaves the header and the
// source arrays as they were.
LoadResult LoadCsvFile(const std::filesystem::path& path, WaveRecord& record, UiSink& ui);
LoadResult LoadCsvBytes(std::string_view bytes, WaveRecord& record, UiSink& ui);

// The load its name calls for.
LoadResult LoadFile(const std::filesystem::path& path, WaveRecord& record, UiSink& ui);

// Why a CSV/TXT load that succeeded holds no waveform of its own, or nothing when it does: no
// column header, no data line after it, a first data line without a number, or no point left
// after rounding. The window plays such text as an empty waveform; what converts or draws one
// file on its own (the converter, the picture) refuses it instead of showing nothing as a success.
std::optional<std::string> NoWaveformReason(const LoadResult& loaded, const WaveHeader& header);

// LoadFile, refusing a CSV/TXT file for which NoWaveformReason gives a reason.
LoadResult LoadFileStrict(const std::filesystem::path& path, WaveRecord& record, UiSink& ui);

}  // namespace sondrix

#include "load/load_file.h"

#include <algorithm>
#include <new>
#include <utility>

#include "csv/csv_reader.h"
#include "io/utf8_path.h"
#include "load/messages.h"
#include "load/trig_addr.h"
#include "numtext/substrings.h"
#include "wfm/messages.h"
#include "wfm/placed_samples.h"
#include "wfm/wfm_reader.h"

namespace sondrix {
namespace {

std::string acqDataSizeText(std::int32_t points) {
  return std::string(load_messages::kAcqDataSize) + std::to_string(points);
}

// The readers size the source arrays for drawing already; this holds for whatever filled them.
// Beyond the loaded samples they keep what they held, or zeros where they grow.
bool growForDrawing(WaveRecord& record) {
  try {
    return GrowSource(record.buffers, SourceSizeForDrawing(record.header.Points));
  } catch (const std::bad_alloc&) {
    return false;
  }
}

void setTrigAddr(WaveHeader& h) { h.TrigAddr = ComputeTrigAddr(h.Delay, h.TimeDiv, h.Points); }

// `placed`: the read put the samples into the source arrays, which are then sized for drawing.
template <typename Read>
LoadResult loadWfm(Read read, WaveRecord& record, UiSink& ui, bool placed = true) {
  LoadResult result;
  ReadResult done = read();
  result.acqDataSizeText = acqDataSizeText(record.WfmPoints);
  if (done.ok()) {
    done = AcceptPlacedSamples(record);
    // The reader reported success, but a file whose samples cannot be shown is not loaded.
    if (!done.ok()) ui.message(wfm_messages::kReadError);
  }
  // From what the reader wrote, success or not: every later draw and store goes by it.
  setTrigAddr(record.header);
  if (done.ok() && placed && !growForDrawing(record)) {
    done = {ReadStatus::ReadError, load_messages::kNotEnoughMemory};
  }
  result.ok = done.ok();
  result.reason = std::move(done.reason);
  return result;
}

template <typename Read>
LoadResult loadCsv(Read read, WaveRecord& record) {
  LoadResult result;
  // Read into a copy: a file that stops on a bad header line leaves the record's header as it
  // was, so the waveform shown, its zoom and a later store stay those of the previous file.
  WaveHeader header = record.header;
  const CsvReadResult done = read(header);
  result.csvColumnHeader = done.columnHeader;
  result.csvDataLines = done.dataLines;
  result.csvFirstLineHoldsNumber = done.firstDataLineHoldsNumber;
  if (done.points < 0) {
    result.reason = done.reason;
    return result;
  }
  if (!VoltsToRaw(header, record.buffers)) {
    result.reason = load_messages::kVoltsDoNotFit;
    return result;
  }
  record.header = std::move(header);
  setTrigAddr(record.header);
  if (!growForDrawing(record)) {
    result.reason = load_messages::kNotEnoughMemory;
    return result;
  }
  if (done.statedPoints) result.acqDataSizeText = acqDataSizeText(*done.statedPoints);
  result.ok = true;
  return result;
}

}  // namespace

std::optional<FileKind> WaveFileKind(const std::filesystem::path& path) {
  const std::string upper = UCase(Utf8Path(path.filename()));
  const std::string_view tail =
      std::string_view(upper).substr(upper.size() < 4 ? 0 : upper.size() - 4);
  if (tail == ".WFM") return FileKind::Wfm;
  if (tail == ".CSV" || tail == ".TXT") return FileKind::Csv;
  return std::nullopt;
}

FileKind KindOfFile(const std::filesystem::path& path) {
  return WaveFileKind(path).value_or(FileKind::Wfm);
}

LoadResult LoadWfmFile(const std::filesystem::path& path, WaveRecord& record, UiSink& ui) {
  return loadWfm([&] { return ReadWfmFile(path, record, ui); }, record, ui);
}

LoadResult LoadWfmBytes(std::string_view bytes, WaveRecord& record, UiSink& ui) {
  return loadWfm([&] { return ReadWfmBytes(bytes, record, ui); }, record, ui);
}

LoadResult LoadWfmHeader(const std::filesystem::path& path, WaveRecord& record,
                         WfmSampleReader& samples, UiSink& ui) {
  return loadWfm([&] { return samples.open(path, record, ui); }, record, ui, false);
}

LoadResult LoadCsvFile(const std::filesystem::path& path, WaveRecord& record, UiSink& ui) {
  return loadCsv(
      [&](WaveHeader& header) { return ReadCsvFile(path, record.buffers.VoltData, header, ui); },
      record);
}

LoadResult LoadCsvBytes(std::string_view bytes, WaveRecord& record, UiSink& ui) {
  return loadCsv(
      [&](WaveHeader& header) { return ReadCsvBytes(bytes, record.buffers.VoltData, header, ui); },
      record);
}

LoadResult LoadFile(const std::filesystem::path& path, WaveRecord& record, UiSink& ui) {
  return KindOfFile(path) == FileKind::Csv ? LoadCsvFile(path, record, ui)
                                           : LoadWfmFile(path, record, ui);
}

std::optional<std::string> NoWaveformReason(const LoadResult& loaded, const WaveHeader& header) {
  if (!loaded.csvColumnHeader) return std::string(load_messages::kNoColumnHeader);
  if (loaded.csvDataLines == 0) return std::string(load_messages::kNoDataLine);
  if (!loaded.csvFirstLineHoldsNumber) return std::string(load_messages::kFirstLineNoNumber);
  if (header.Points <= 0) {
    return load_messages::kNoPointLeft + std::to_string(loaded.csvDataLines) +
           load_messages::kNoPointLeftEnd;
  }
  return std::nullopt;
}

LoadResult LoadFileStrict(const std::filesystem::path& path, WaveRecord& record, UiSink& ui) {
  LoadResult loaded = LoadFile(path, record, ui);
  if (loaded.ok && KindOfFile(path) == FileKind::Csv) {
    if (std::optional<std::string> reason = NoWaveformReason(loaded, record.header)) {
      loaded.ok = false;
      loaded.reason = std::move(*reason);
    }
  }
  return loaded;
}

}  // namespace sondrix

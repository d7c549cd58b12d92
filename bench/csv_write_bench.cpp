// Converting a 5-million-point, 4-channel record to volts and writing its CSV file (about
// 300 MB of text) into the temporary folder.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "csv/csv_layout.h"
#include "csv/csv_writer.h"
#include "csv/to_volts.h"
#include "load/load_file.h"
#include "model/ui_sink.h"
#include "record_files.h"

namespace sondrix {
namespace {

WaveRecord& loadedRecord() {
  static WaveRecord record = [] {
    WaveRecord r;
    NullSink sink;
    LoadWfmFile(bench::FiveMillionPointCapture(), r, sink);
    return r;
  }();
  return record;
}

void BM_ToVoltsFourChannels(benchmark::State& state) {
  WaveRecord& record = loadedRecord();
  for (auto _ : state) {
    ToVoltsForDisplayed(record);
    benchmark::DoNotOptimize(record.buffers.VoltData[3].data());
  }
}
BENCHMARK(BM_ToVoltsFourChannels)->Unit(benchmark::kMillisecond);

void BM_WriteCsvFile(benchmark::State& state) {
  WaveRecord& record = loadedRecord();
  ToVoltsForDisplayed(record);
  const auto out = std::filesystem::temp_directory_path() / "sondrix-bench-5M.CSV";
  NullSink sink;
  std::int64_t bytes = 0;
  for (auto _ : state) {
    const CsvWriteResult r = WriteCsvFile(out, record.header, record.buffers.VoltData, 0, sink);
    if (!r.ok()) state.SkipWithError(r.reason.c_str());
    state.PauseTiming();
    bytes += static_cast<std::int64_t>(std::filesystem::file_size(out));
    state.ResumeTiming();
  }
  state.SetBytesProcessed(bytes);
  std::filesystem::remove(out);
}
BENCHMARK(BM_WriteCsvFile)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// Formatting alone, single-threaded, to show how the time splits between text and file.
void BM_FormatLines(benchmark::State& state) {
  WaveRecord& record = loadedRecord();
  ToVoltsForDisplayed(record);
  DataLineFormat format;
  format.trigAddr = record.header.TrigAddr;
  format.delta = record.header.Delta;
  format.valueDecimals = ValueDecimals(record.header);
  for (std::size_t c = 0; c < 4; ++c) format.columns[c] = record.buffers.VoltData[c].data();
  std::vector<char> buffer(kMaxDataLineChars * 1024);
  std::int64_t bytes = 0;
  for (auto _ : state) {
    for (std::int64_t i = 0; i < 1'000'000; i += 1024) {
      char* out = buffer.data();
      for (std::int64_t k = i; k < i + 1024; ++k) out = FormatDataLine(out, format, k);
      bytes += out - buffer.data();
    }
    benchmark::DoNotOptimize(buffer.data());
  }
  state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_FormatLines)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sondrix

BENCHMARK_MAIN();

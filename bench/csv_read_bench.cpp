// Playing back the instrument's CSV file of 5 million lines with four channels (about 220 MB,
// in the page cache): reading it into the volt arrays and turning the volts back into counts.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "csv/csv_reader.h"
#include "model/ui_sink.h"
#include "model/wave_record.h"
#include "record_files.h"

namespace sondrix {
namespace {

// Argument: the pieces each block of data lines is parsed in, one thread each; 0 for one per core.
void BM_ReadCsvAndVoltsToRaw(benchmark::State& state) {
  const auto& path = bench::FiveMillionLineInstrumentCsv();
  WaveRecord record;  // reused, as the window reuses its one record
  NullSink sink;
  const DataSplit split{static_cast<unsigned>(state.range(0))};
  for (auto _ : state) {
    const CsvReadResult read =
        ReadCsvFile(path, record.buffers.VoltData, record.header, sink, split);
    if (read.points != bench::kBenchPoints || !VoltsToRaw(record.header, record.buffers)) {
      state.SkipWithError("the file did not read back");
    }
    benchmark::DoNotOptimize(record.buffers.SrcData[3].data());
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(std::filesystem::file_size(path)));
}
// Wall time: the parsing runs on other threads than the benchmark's.
BENCHMARK(BM_ReadCsvAndVoltsToRaw)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3.0)
    ->UseRealTime();

void BM_VoltsToRawOnly(benchmark::State& state) {
  const auto& path = bench::FiveMillionLineInstrumentCsv();
  WaveRecord record;
  NullSink sink;
  ReadCsvFile(path, record.buffers.VoltData, record.header, sink);
  for (auto _ : state) {
    if (!VoltsToRaw(record.header, record.buffers)) state.SkipWithError("no conversion");
    benchmark::DoNotOptimize(record.buffers.SrcData[3].data());
  }
}
BENCHMARK(BM_VoltsToRawOnly)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sondrix

BENCHMARK_MAIN();

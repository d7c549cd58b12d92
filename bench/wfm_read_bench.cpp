// Reading a 5-million-point, 4-channel, 16-bit capture (40 MB, in the page cache) straight into
// the source arrays and taking it: the load of one file before it is drawn.
#include <benchmark/benchmark.h>

#include "model/ui_sink.h"
#include "record_files.h"
#include "wfm/placed_samples.h"
#include "wfm/wfm_reader.h"

namespace sondrix {
namespace {

void BM_ReadAndCopy(benchmark::State& state) {
  const auto& path = bench::FiveMillionPointCapture();
  WaveRecord record;  // reused, as the window reuses its one record
  NullSink sink;
  for (auto _ : state) {
    const ReadResult read = ReadWfmFile(path, record, sink);
    const ReadResult copied = AcceptPlacedSamples(record);
    if (!read.ok() || !copied.ok()) state.SkipWithError("the capture did not load");
    benchmark::DoNotOptimize(record.buffers.SrcData[3].data());
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_ReadAndCopy)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ReadOnly(benchmark::State& state) {
  const auto& path = bench::FiveMillionPointCapture();
  WaveRecord record;
  NullSink sink;
  for (auto _ : state) {
    if (!ReadWfmFile(path, record, sink).ok()) state.SkipWithError("the capture did not load");
    benchmark::DoNotOptimize(record.buffers.SrcData[3].data());
  }
}
BENCHMARK(BM_ReadOnly)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
}  // namespace sondrix

BENCHMARK_MAIN();

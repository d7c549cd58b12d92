// The measurements of a 5-million-point, 4-channel capture over its whole window, as the table
// over the surface computes them after every draw.
#include <benchmark/benchmark.h>

#include "load/load_file.h"
#include "model/ui_sink.h"
#include "record_files.h"
#include "view/measurements.h"

namespace sondrix {
namespace {

const WaveRecord& Capture() {
  static const WaveRecord* record = [] {
    auto* r = new WaveRecord;
    NullSink sink;
    if (!LoadWfmFile(bench::FiveMillionPointCapture(), *r, sink).ok) r->header.Points = 0;
    return r;
  }();
  return *record;
}

void BM_MeasureWholeWindow(benchmark::State& state) {
  const WaveRecord& record = Capture();
  if (record.header.Points != bench::kBenchPoints) state.SkipWithError("the capture did not load");
  std::size_t channels = 0;
  for (auto _ : state) {
    const std::vector<ChannelMeasurement> shown =
        MeasureShownChannels(record, 0, record.header.Points - 1);
    channels = shown.size();
    benchmark::DoNotOptimize(shown.data());
  }
  state.counters["channels"] = static_cast<double>(channels);
  state.SetItemsProcessed(state.iterations() * 4 * record.header.Points);
}
BENCHMARK(BM_MeasureWholeWindow)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
}  // namespace sondrix
BENCHMARK_MAIN();

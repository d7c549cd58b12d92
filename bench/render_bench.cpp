// Drawing a 5-million-point, 4-channel capture over its whole window: one scene per iteration,
// in each display choice, and the smoothing at a narrow and a very wide width.
#include <benchmark/benchmark.h>

#include "load/load_file.h"
#include "model/ui_sink.h"
#include "record_files.h"
#include "view/renderer.h"
#include "view/zoom.h"

namespace sondrix {
namespace {

struct Loaded {
  WaveRecord record;
  ViewState view;
  SmoothingChoice smoothing;
  SmoothedWindow smoothed;
  Scene scene = InitialScene();
};

// Loaded once per program: the benchmarks share the record as the window does.
Loaded& Capture() {
  static Loaded* loaded = [] {
    auto* l = new Loaded;
    NullSink sink;
    if (LoadWfmFile(bench::FiveMillionPointCapture(), l->record, sink).ok) {
      ResetView(l->view, l->record.header.Points);
      l->view.WaveLoaded = true;
    }
    return l;
  }();
  return *loaded;
}

void Draw(benchmark::State& state, SmoothingMode mode, const char* width) {
  Loaded& l = Capture();
  if (!l.view.WaveLoaded) state.SkipWithError("the capture did not load");
  l.smoothing = {mode, width, 11};
  std::size_t points = 0;
  for (auto _ : state) {
    DrawWaveform(l.record, l.view, l.smoothing, l.smoothed, l.scene, 0, l.record.header.Points - 1,
                 l.record.header.TimeDiv);
    points = 0;
    for (const Trace& t : l.scene.traces) points += t.points.size();
    benchmark::DoNotOptimize(points);
  }
  state.counters["points"] = static_cast<double>(points);
  state.SetItemsProcessed(state.iterations() * 4 * l.record.header.Points);
}

void BM_DrawSourceOnly(benchmark::State& state) { Draw(state, SmoothingMode::SourceOnly, "11"); }
BENCHMARK(BM_DrawSourceOnly)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_DrawSmoothedOnly11(benchmark::State& state) {
  Draw(state, SmoothingMode::SmoothedOnly, "11");
}
BENCHMARK(BM_DrawSmoothedOnly11)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_DrawSmoothedOnly10001(benchmark::State& state) {
  Draw(state, SmoothingMode::SmoothedOnly, "10001");
}
BENCHMARK(BM_DrawSmoothedOnly10001)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_DrawSourceAndSmoothed11(benchmark::State& state) {
  Draw(state, SmoothingMode::SourceAndSmoothed, "11");
}
BENCHMARK(BM_DrawSourceAndSmoothed11)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// One zoom press to XZoom 1024 from the whole record, and the draw of the window it gives.
void BM_ExpandAndDrawAt1024(benchmark::State& state) {
  Loaded& l = Capture();
  if (!l.view.WaveLoaded) state.SkipWithError("the capture did not load");
  l.smoothing = {SmoothingMode::SourceOnly, "11", 11};
  std::int32_t span = 0;
  for (auto _ : state) {
    ResetZoom(l.view);
    ZoomBoxes boxes;
    boxes.ZoomRate = "1024";
    const auto window = Expand(l.record.header, l.view, boxes);
    if (!window) state.SkipWithError("the zoom did nothing");
    DrawWaveform(l.record, l.view, l.smoothing, l.smoothed, l.scene, window->start, window->end,
                 window->timeDiv);
    span = l.view.EndIndex - l.view.StartIndex;
  }
  state.counters["span"] = span;
}
BENCHMARK(BM_ExpandAndDrawAt1024)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

}  // namespace
}  // namespace sondrix

BENCHMARK_MAIN();

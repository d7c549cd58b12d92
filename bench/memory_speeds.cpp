// The machine's memory speeds that the load and conversion figures depend on, so that figures from
// different machines can be compared: writing 256 MB that the process touches for the first time
// (fresh pages, which the system must find and clear) against writing the same memory again, on
// one thread and on two.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "model/sample_allocator.h"

namespace sondrix {
namespace {

constexpr std::size_t kBytes = std::size_t{256} << 20;

// Each thread writes its share of the 256 MB.
std::size_t share(const benchmark::State& state) {
  return kBytes / static_cast<std::size_t>(state.threads());
}

// Fresh memory from the C library: 4 KB pages, one fault each.
void BM_FirstTouch(benchmark::State& state) {
  const std::size_t bytes = share(state);
  for (auto _ : state) {
    void* memory = std::malloc(bytes);  // NOLINT(cppcoreguidelines-no-malloc): fresh pages
    if (memory == nullptr) {
      state.SkipWithError("no memory");
      break;
    }
    std::memset(memory, 1, bytes);
    benchmark::DoNotOptimize(memory);
    std::free(memory);  // NOLINT(cppcoreguidelines-no-malloc)
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_FirstTouch)->Unit(benchmark::kMillisecond)->Threads(1)->Threads(2)->UseRealTime();

// Fresh memory as the sample arrays take it: on 2 MB pages where the system offers them. Each
// round takes a block larger than the allocator keeps of freed arrays, so its pages are new; only
// the thread's share of it is written, and so touched.
void BM_FirstTouchSampleArrays(benchmark::State& state) {
  const std::size_t bytes = share(state);
  const std::size_t block = kMostKeptSampleBytes + (std::size_t{2} << 20);
  for (auto _ : state) {
    void* memory = AllocateSamples(block);
    std::memset(memory, 1, bytes);
    benchmark::DoNotOptimize(memory);
    FreeSamples(memory, block);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_FirstTouchSampleArrays)
    ->Unit(benchmark::kMillisecond)
    ->Threads(1)
    ->Threads(2)
    ->UseRealTime();

// The same memory written again.
void BM_Rewrite(benchmark::State& state) {
  const std::size_t bytes = share(state);
  const auto memory = std::make_unique<char[]>(bytes);
  for (auto _ : state) {
    std::memset(memory.get(), 1, bytes);
    benchmark::DoNotOptimize(memory.get());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_Rewrite)->Unit(benchmark::kMillisecond)->Threads(1)->Threads(2)->UseRealTime();

}  // namespace
}  // namespace sondrix

BENCHMARK_MAIN();

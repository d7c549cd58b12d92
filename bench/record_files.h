#pragma once

#include <cstddef>
#include <filesystem>

#include "synth/wfm_writer.h"

namespace sondrix::bench {

inline constexpr int kBenchPoints = 5'000'000;

// The benchmarks' 4-channel capture of `points` samples per channel: a sine, an inverted square,
// a noisy sine through a 10X probe and a ramp with an offset.
synth::Capture BenchCapture(std::size_t points);

// A 4-channel, 16-bit capture of kBenchPoints samples per channel (40 MB), written once per run
// into the temporary folder and reused by every benchmark of the program.
const std::filesystem::path& FiveMillionPointCapture();

// The instrument's CSV file of kBenchPoints lines with four channels in volts (about 220 MB),
// written once per run into the temporary folder.
const std::filesystem::path& FiveMillionLineInstrumentCsv();

}  // namespace sondrix::bench

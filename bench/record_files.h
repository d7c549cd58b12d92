#pragma once

#include <filesystem>

namespace sondrix::bench {

inline constexpr int kBenchPoints = 5'000'000;

// A 4-channel, 16-bit capture of kBenchPoints samples per channel (40 MB), written once per run
// into the temporary folder and reused by every benchmark of the program.
const std::filesystem::path& FiveMillionPointCapture();

// The instrument's CSV file of kBenchPoints lines with four channels in volts (about 220 MB),
// written once per run into the temporary folder.
const std::filesystem::path& FiveMillionLineInstrumentCsv();

}  // namespace sondrix::bench

#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "model/ui_sink.h"
#include "model/wave_record.h"

namespace sondrix::cli {

struct ConvertOptions {
  int skip = 0;                                 // write every (skip + 1)-th sample
  std::optional<std::filesystem::path> output;  // -o: the output file (one input only)
  std::optional<std::filesystem::path> outDir;  // -d: the folder of the outputs
  int formatThreads = 0;                        // threads that format one file's text; 0: all
};

struct ConvertResult {
  bool ok = false;
  std::string reason;             // why the file failed
  std::filesystem::path written;  // the CSV file, when ok
};

// Where the CSV of `input` goes: -o as given, else the run's CSV name in -d or in the input's
// own folder.
std::filesystem::path OutputPathFor(const std::filesystem::path& input,
                                    const ConvertOptions& options);

// Reads one input into the record with the window's load step (a CSV/TXT file by its name, else
// a WFM capture). The record is the caller's so that --info can show it. Refuses CSV/TXT text
// that holds no waveform (LoadFileStrict), which the window plays as an empty waveform (and the
// readers refuse anything but a regular file).
ConvertResult LoadInput(const std::filesystem::path& input, WaveRecord& record, UiSink& ui);

// Stores one input at `output` as the store command does with the "source only" display choice,
// the input read as if it were the first file after start-up. A failed file leaves no output
// behind. Whether `output` may be written is the caller's to check (a batch checks all its
// outputs at once: CheckOutputs). A WFM capture is read piece by piece as the text is made, so
// that a conversion holds a few megabytes whatever the capture's size; CSV/TXT text is loaded
// whole (ConvertInMemory).
ConvertResult ConvertTo(const std::filesystem::path& input, const std::filesystem::path& output,
                        const ConvertOptions& options, UiSink& ui);

// ConvertTo through a whole record: the input loaded (LoadInput), then stored from memory. The
// same outputs and reasons, in the same order of checks.
ConvertResult ConvertInMemory(const std::filesystem::path& input,
                              const std::filesystem::path& output, const ConvertOptions& options,
                              UiSink& ui);

// One file on its own: ConvertTo the output OutputPathFor names, unless it is the input's file.
ConvertResult ConvertFile(const std::filesystem::path& input, const ConvertOptions& options,
                          UiSink& ui);

}  // namespace sondrix::cli

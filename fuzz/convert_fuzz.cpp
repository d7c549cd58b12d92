// Any byte string as a WFM capture and as a CSV/TXT file, through the converter's whole path:
// loaded, stored as CSV (every (skip + 1)-th sample, on one or two formatting threads) and read
// back. Whatever the converter accepts must read back (unless its model name lacks the channel
// digit the CSV reader needs): the read succeeds with one data line per written sample, the rounded
// point count, and each written value as its printed text gives it. A failure aborts, so libFuzzer
// keeps the input.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

#include "csv/csv_layout.h"
#include "csv/csv_writer.h"
#include "csv/to_volts.h"
#include "load/load_file.h"
#include "model/ui_sink.h"
#include "model/wave_record.h"
#include "numtext/leading_number.h"
#include "numtext/rounding.h"
#include "numtext/sci_format.h"

namespace {

[[noreturn]] void fail(const std::string& what) {
  std::fprintf(stderr, "convert_fuzz: %s\n", what.c_str());
  std::abort();
}

// One folder for the whole run, so that every input replaces the last one's output.
const std::filesystem::path& outputPath() {
  static const std::filesystem::path path = [] {
    std::string folder = (std::filesystem::temp_directory_path() / "convert-fuzz-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) fail("no temporary folder");
    return std::filesystem::path(folder) / "out.CSV";
  }();
  return path;
}

bool sameFloat(float a, float b) {
  return std::memcmp(&a, &b, sizeof a) == 0 || (a != a && b != b);
}

void exportAndReadBack(sondrix::WaveRecord& record, int skip, int threads) {
  sondrix::NullSink sink;
  if (!sondrix::ToVoltsForDisplayed(record)) return;  // the converter refuses it with a reason
  const sondrix::WaveHeader& h = record.header;
  const sondrix::CsvWriteResult written =
      sondrix::WriteCsvFile(outputPath(), h, record.buffers.VoltData, skip, sink, {}, threads);
  if (!written.ok()) fail("the export failed: " + written.reason);

  sondrix::WaveRecord back;
  const sondrix::LoadResult loaded = sondrix::LoadFile(outputPath(), back, sink);
  // The CSV reader takes the channel count from the model name's 7th character, as the
  // instrument's names carry it; a WFM file may name any model, and such an export is refused
  // on its model line with that reason, never read otherwise.
  if (!loaded.ok && loaded.reason.starts_with("line 1: the model name ") &&
      loaded.reason.ends_with(" has no digit in column 7")) {
    return;
  }
  if (!loaded.ok) fail("the export does not read back: " + loaded.reason);
  const std::int64_t lines = h.Points <= 0 ? 0 : (std::int64_t{h.Points} + skip) / (skip + 1);
  const auto points =
      static_cast<std::int64_t>(sondrix::RoundHalfEven(static_cast<double>(lines) / 10.0)) * 10;
  if (!loaded.csvColumnHeader || loaded.csvDataLines != lines || back.header.Points != points) {
    fail("read back " + std::to_string(loaded.csvDataLines) + " lines and " +
         std::to_string(back.header.Points) + " points of " + std::to_string(lines) + " lines");
  }
  const int decimals = sondrix::ValueDecimals(h);
  for (int c = 0; c < sondrix::ValueColumns(h); ++c) {
    const auto& out = record.buffers.VoltData[static_cast<std::size_t>(c)];
    const auto& in = back.buffers.VoltData[static_cast<std::size_t>(c)];
    for (std::int64_t i = 0; i < lines; ++i) {
      const float value = out[static_cast<std::size_t>(i * (skip + 1))];
      const float printed =
          sondrix::ParseStrictFloat(sondrix::FormatScientific(value, decimals)).value_or(0.0f);
      if (!sameFloat(in[static_cast<std::size_t>(i)], printed)) {
        fail("channel " + std::to_string(c + 1) + " sample " + std::to_string(i) +
             " reads back otherwise");
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // The last byte chooses the skip (0 to 3) and the threads (1 or 2), so the fuzzer varies them.
  const unsigned choice = size == 0 ? 0 : data[size - 1];
  const int skip = static_cast<int>(choice % 4);
  const int threads = 1 + static_cast<int>(choice / 4 % 2);
  sondrix::NullSink sink;
  {
    sondrix::WaveRecord record;
    if (sondrix::LoadWfmBytes(bytes, record, sink).ok) exportAndReadBack(record, skip, threads);
  }
  {
    sondrix::WaveRecord record;
    const sondrix::LoadResult loaded = sondrix::LoadCsvBytes(bytes, record, sink);
    if (loaded.ok && !sondrix::NoWaveformReason(loaded, record.header)) {
      exportAndReadBack(record, skip, threads);
    }
  }
  return 0;
}

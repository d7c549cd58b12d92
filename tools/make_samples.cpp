// sondrix-samples DIR: writes a few realistic WFM and CSV/TXT waveform files into DIR, for demos,
// manual checks and benchmarks. The files come from the same writers the tests use.
#include <cstdint>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "model/scale.h"
#include "synth/instrument_csv_writer.h"
#include "synth/signals.h"
#include "synth/wfm_writer.h"

namespace fx = sondrix::synth;
namespace fs = std::filesystem;

namespace {

constexpr double kDiv = sondrix::kCountsPerDivision;

void Emit(const fs::path& path, const std::string& bytes) {
  fx::WriteBytes(path, bytes);
  std::cout << path.string() << '\n';
}

// Two channels, 8-bit samples, short binary header: the older series.
void WriteQkTwoChannel(const fs::path& dir) {
  const std::size_t n = 5000;
  fx::Capture capture;
  capture.model = fx::QkModel(2);
  capture.fileVersion = "1.02";
  capture.saveTime = "2026/11/28 08:42:05";
  capture.timeDiv = "500us";  // 10 divisions = 5 ms, 1 us per sample
  capture.sixteenBit = false;
  capture.longHeader = false;
  capture.channels.push_back({.probe = "10X",
                              .voltsPerDiv = "500mV",
                              .offset = "0.0V",
                              .samples = fx::Sine(n, 3.0 * kDiv, 5.0)});
  capture.channels.push_back({.probe = "1X",
                              .voltsPerDiv = "1V",
                              .offset = "-1.00V",
                              .samples = fx::Square(n, 2.0 * kDiv, 10.0)});
  Emit(dir / "QK2CH_8BIT_5K.WFM", fx::SerializeWfm(fx::MakeCapture(capture)));
}

// Two channels, 16-bit samples, version 5 of the newer series (still the short header), with
// samples before and after the shown ones and the trigger a quarter into the record.
void WriteZtVersion5(const fs::path& dir) {
  const std::size_t n = 20000;
  fx::Capture capture;
  capture.model = fx::ZtModel(5, 2);
  capture.fileVersion = "1.10";
  capture.saveTime = "2026/12/01 14:03:59";
  capture.timeDiv = "200us";  // 2 ms record, 100 ns per sample
  capture.delay = "-5.000000e-04";
  capture.longHeader = false;
  capture.leadingSkip = 12;
  capture.trailingSpare = 20;
  capture.channels.push_back({.probe = "10X",
                              .voltsPerDiv = "200mV",
                              .offset = "500mV",
                              .samples = fx::NoisySine(n, 2.5 * kDiv, 4.0, 0.2 * kDiv, 7)});
  capture.channels.push_back({.probe = "1X",
                              .voltsPerDiv = "2V",
                              .offset = "0.0V",
                              .samples = fx::Square(n, 1.5 * kDiv, 8.0, 0.25)});
  Emit(dir / "ZT2CH_V5_20K.WFM", fx::SerializeWfm(fx::MakeCapture(capture)));
}

// Four channels, 16-bit, long header; an inverted and a hidden channel.
void WriteZtFourChannel(const fs::path& dir) {
  const std::size_t n = 100000;
  fx::Capture capture;
  capture.model = fx::ZtModel(6, 4);
  capture.saveTime = "2026/12/06 10:11:12";
  capture.timeDiv = "1ms";  // 10 ms record, 100 ns per sample
  capture.leadingSkip = 4;
  capture.trailingSpare = 4;
  capture.channels.push_back({.voltsPerDiv = "1V", .samples = fx::Sine(n, 3.0 * kDiv, 10.0)});
  capture.channels.push_back({.probe = "10X",
                              .voltsPerDiv = "500mV",
                              .offset = "1.00V",
                              .samples = fx::NoisySine(n, 2.0 * kDiv, 10.0, 0.3 * kDiv, 42)});
  capture.channels.push_back(
      {.voltsPerDiv = "2V", .invert = true, .samples = fx::Square(n, 2.5 * kDiv, 20.0, 0.3)});
  capture.channels.push_back(
      {.voltsPerDiv = "5V", .display = false, .samples = fx::Ramp(n, -3.0 * kDiv, 3.0 * kDiv)});
  Emit(dir / "ZT4CH_16BIT_100K.WFM", fx::SerializeWfm(fx::MakeCapture(capture)));
}

// Four channels, 8-bit, long header.
void WriteZtFourChannel8Bit(const fs::path& dir) {
  const std::size_t n = 250000;
  fx::Capture capture;
  capture.model = fx::ZtModel(6, 4);
  capture.saveTime = "2026/12/06 11:30:00";
  capture.acquisitionMode = "Average";
  capture.timeDiv = "2ms";  // 20 ms record, 80 ns per sample
  capture.sixteenBit = false;
  capture.channels.push_back({.voltsPerDiv = "500mV", .samples = fx::Sine(n, 3.0 * kDiv, 2.0)});
  capture.channels.push_back(
      {.voltsPerDiv = "500mV", .samples = fx::Sine(n, 3.0 * kDiv, 2.0, 2.0943951)});
  capture.channels.push_back(
      {.voltsPerDiv = "500mV", .samples = fx::Sine(n, 3.0 * kDiv, 2.0, 4.1887902)});
  capture.channels.push_back({.probe = "10X",
                              .voltsPerDiv = "1V",
                              .offset = "-2.00V",
                              .samples = fx::NoisySine(n, 1.0 * kDiv, 2.0, 0.5 * kDiv, 3)});
  Emit(dir / "ZT4CH_8BIT_250K.WFM", fx::SerializeWfm(fx::MakeCapture(capture)));
}

// One million points per channel; channel 4 is a current probe rescaled in the instrument.
void WriteZtMillion(const fs::path& dir) {
  const std::size_t n = 1000000;
  fx::Capture capture;
  capture.model = fx::ZtModel(6, 4);
  capture.saveTime = "2026/12/07 09:00:30";
  capture.timeDiv = "10ms";  // 100 ms record, 100 ns per sample
  capture.delay = "-2.000000e-02";
  capture.channels.push_back({.voltsPerDiv = "2V", .samples = fx::Sine(n, 3.0 * kDiv, 5.0)});
  capture.channels.push_back({.probe = "10X",
                              .voltsPerDiv = "1V",
                              .samples = fx::NoisySine(n, 2.0 * kDiv, 5.0, 0.4 * kDiv, 1234)});
  capture.channels.push_back(
      {.voltsPerDiv = "1V", .samples = fx::Square(n, 1.0 * kDiv, 50.0, 0.1)});
  capture.channels.push_back({.voltsPerDiv = "100mV",
                              .offset = "0.0V",
                              .rescaleA = "2.0",
                              .rescaleB = "0.1V",
                              .rescaleOn = true,
                              .unit = 'A',
                              .samples = fx::Sine(n, 1.5 * kDiv, 5.0, 0.5)});
  Emit(dir / "ZT4CH_16BIT_1M.WFM", fx::SerializeWfm(fx::MakeCapture(capture)));
}

void WriteCsvFourChannel(const fs::path& dir) {
  const std::size_t n = 10000;
  fx::InstrumentCsv csv;
  csv.model = "DSX7004";
  csv.timeDiv = 1e-3;  // 10 ms record
  csv.delta = 1e-6;
  csv.triggerAddress = 5000;
  csv.channels = {{.voltsPerDiv = 1.0f},
                  {.offset = 0.5f, .voltsPerDiv = 0.5f},
                  {.voltsPerDiv = 2.0f},
                  {.display = false, .voltsPerDiv = 5.0f}};
  const std::vector<std::vector<std::int16_t>> counts = {
      fx::Sine(n, 3.0 * kDiv, 4.0), fx::NoisySine(n, 2.0 * kDiv, 4.0, 0.2 * kDiv, 99),
      fx::Square(n, 2.0 * kDiv, 8.0), fx::Ramp(n, -2.0 * kDiv, 2.0 * kDiv)};
  for (std::size_t ch = 0; ch < counts.size(); ++ch) {
    csv.volts.push_back(
        fx::CountsToVolts(counts[ch], csv.channels[ch].voltsPerDiv, csv.channels[ch].offset));
  }
  Emit(dir / "CSV4CH_10K.CSV", fx::SerializeInstrumentCsv(csv));
}

void WriteTxtTwoChannel(const fs::path& dir) {
  const std::size_t n = 5000;
  fx::InstrumentCsv csv;
  csv.model = "DSX7002";
  csv.timeDiv = 5e-4;  // 5 ms record
  csv.delay = 1e-3;
  csv.delta = 1e-6;
  csv.triggerAddress = 3500;
  csv.lineEnd = "\n";
  csv.comment = " saved by the instrument";
  csv.channels = {{.voltsPerDiv = 0.2f}, {.offset = -1.0f, .voltsPerDiv = 1.0f}};
  csv.volts.push_back(fx::CountsToVolts(fx::Sine(n, 2.0 * kDiv, 3.0), 0.2f, 0.0f));
  csv.volts.push_back(fx::CountsToVolts(fx::Square(n, 1.0 * kDiv, 6.0, 0.4), 1.0f, -1.0f));
  Emit(dir / "CSV2CH_5K.TXT", fx::SerializeInstrumentCsv(csv));
}

constexpr const char* kUsage =
    "usage: sondrix-samples DIR\n"
    "Writes sample WFM captures and CSV/TXT waveform files into DIR (made if missing) and prints\n"
    "the name of each.\n";

}  // namespace

int main(int argc, char** argv) {
  const std::string first = argc > 1 ? argv[1] : "";
  if (argc == 2 && (first == "--help" || first == "-h")) {
    std::cout << kUsage << std::flush;
    return std::cout ? 0 : 1;
  }
  // A folder whose name starts with "-" is still reached as ./-name; an option is never one.
  if (argc != 2 || first.starts_with('-')) {
    if (first.starts_with('-')) std::cerr << "sondrix-samples: unknown option " << first << '\n';
    std::cerr << kUsage;
    return 2;
  }
  try {
    const fs::path dir = argv[1];
    fs::create_directories(dir);
    WriteQkTwoChannel(dir);
    WriteZtVersion5(dir);
    WriteZtFourChannel(dir);
    WriteZtFourChannel8Bit(dir);
    WriteZtMillion(dir);
    WriteCsvFourChannel(dir);
    WriteTxtTwoChannel(dir);
  } catch (const std::exception& e) {
    std::cerr << "sondrix-samples: " << e.what() << '\n';
    return 1;
  }
  return 0;
}

#include "record_files.h"

#include "synth/instrument_csv_writer.h"
#include "synth/signals.h"
#include "synth/wfm_writer.h"

namespace sondrix::bench {

synth::Capture BenchCapture(std::size_t points) {
  synth::Capture capture;
  capture.timeDiv = "100ms";
  capture.channels.resize(4);
  capture.channels[0].samples = synth::Sine(points, 20000, 50);
  capture.channels[1].samples = synth::Square(points, 12000, 200);
  capture.channels[1].invert = true;
  capture.channels[2].samples = synth::NoisySine(points, 9000, 10, 2000, 3);
  capture.channels[2].probe = "10X";
  capture.channels[3].samples = synth::Ramp(points, -30000, 30000);
  capture.channels[3].offset = "250mV";
  return capture;
}

const std::filesystem::path& FiveMillionPointCapture() {
  static const std::filesystem::path path = [] {
    auto p = std::filesystem::temp_directory_path() / "sondrix-bench-5M.WFM";
    synth::WriteBytes(p, synth::SerializeWfm(synth::MakeCapture(BenchCapture(kBenchPoints))));
    return p;
  }();
  return path;
}

const std::filesystem::path& FiveMillionLineInstrumentCsv() {
  static const std::filesystem::path path = [] {
    auto p = std::filesystem::temp_directory_path() / "sondrix-bench-5M-instrument.CSV";
    synth::InstrumentCsv csv;
    csv.channels = {{.voltsPerDiv = 1.0f},
                    {.voltsPerDiv = 0.5f},
                    {.voltsPerDiv = 2.0f},
                    {.offset = 0.25f, .voltsPerDiv = 0.2f}};
    const std::vector<std::int16_t> counts[] = {synth::Sine(kBenchPoints, 20000, 50),
                                                synth::Square(kBenchPoints, 12000, 200),
                                                synth::NoisySine(kBenchPoints, 9000, 10, 2000, 3),
                                                synth::Ramp(kBenchPoints, -30000, 30000)};
    for (std::size_t ch = 0; ch < csv.channels.size(); ++ch) {
      csv.volts.push_back(
          synth::CountsToVolts(counts[ch], csv.channels[ch].voltsPerDiv, csv.channels[ch].offset));
    }
    synth::WriteBytes(p, synth::SerializeInstrumentCsv(csv));
    return p;
  }();
  return path;
}

}  // namespace sondrix::bench

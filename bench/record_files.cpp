#include "record_files.h"

#include "fixtures/signals.h"
#include "fixtures/wfm_writer.h"

namespace sondrix::bench {

const std::filesystem::path& FiveMillionPointCapture() {
  static const std::filesystem::path path = [] {
    auto p = std::filesystem::temp_directory_path() / "sondrix-bench-5M.WFM";
    fixtures::Capture capture;
    capture.timeDiv = "100ms";
    capture.channels.resize(4);
    capture.channels[0].samples = fixtures::Sine(kBenchPoints, 20000, 50);
    capture.channels[1].samples = fixtures::Square(kBenchPoints, 12000, 200);
    capture.channels[1].invert = true;
    capture.channels[2].samples = fixtures::NoisySine(kBenchPoints, 9000, 10, 2000, 3);
    capture.channels[2].probe = "10X";
    capture.channels[3].samples = fixtures::Ramp(kBenchPoints, -30000, 30000);
    capture.channels[3].offset = "250mV";
    fixtures::WriteBytes(p, fixtures::SerializeWfm(fixtures::MakeCapture(capture)));
    return p;
  }();
  return path;
}

}  // namespace sondrix::bench

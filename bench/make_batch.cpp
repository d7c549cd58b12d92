// make_batch DIR COUNT POINTS: writes COUNT four-channel 16-bit captures of POINTS samples per
// channel (cap00000.WFM, ...) into DIR, for timing the converter on whole batches. The signals
// are the benchmarks' own, so the text per line is alike.
#include <charconv>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>

#include "record_files.h"
#include "synth/wfm_writer.h"

namespace {

bool parseCount(std::string_view text, long long& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && value > 0;
}

}  // namespace

int main(int argc, char** argv) {
  long long count = 0;
  long long points = 0;
  if (argc != 4 || !parseCount(argv[2], count) || !parseCount(argv[3], points)) {
    std::fprintf(stderr, "usage: make_batch DIR COUNT POINTS\n");
    return 2;
  }
  try {
    namespace synth = sondrix::synth;
    const std::string bytes = synth::SerializeWfm(
        synth::MakeCapture(sondrix::bench::BenchCapture(static_cast<std::size_t>(points))));
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    for (long long i = 0; i < count; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "cap%05lld.WFM", i);
      synth::WriteBytes(dir / name, bytes);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_batch: %s\n", e.what());
    return 1;
  }
  return 0;
}

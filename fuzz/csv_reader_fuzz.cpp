// Any byte string as a CSV/TXT waveform file: the load (reader, conversion back to counts) must
// neither crash nor read out of bounds, whatever the lines hold.
//
// Each input gets a fresh record, so that a crash reproduces from that input alone, but is read
// twice into it: the second read starts from what the first left (longer arrays, header members
// set), as the window's one record does from file to file. Every pump grows the volt arrays the
// way a command run during the pump may, so that a pointer kept across a pump shows up at once.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "load/load_file.h"
#include "model/ui_sink.h"
#include "model/wave_record.h"

namespace {

struct GrowingSink final : sondrix::UiSink {
  explicit GrowingSink(sondrix::VoltArrays& volts) : volts_(volts) {}
  void message(std::string_view) override {}
  void detail(std::string_view) override {}
  void progress(int) override {}
  int progressMax() const override { return 100; }
  void pumpEvents() override {
    for (auto& column : volts_) {
      column.resize(column.size() + 7);
      column.shrink_to_fit();
    }
  }

 private:
  sondrix::VoltArrays& volts_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  sondrix::WaveRecord record;
  GrowingSink sink(record.buffers.VoltData);
  for (int pass = 0; pass < 2; ++pass) sondrix::LoadCsvBytes(bytes, record, sink);
  return 0;
}

// Any byte string as a WFM file: the load (reader, copy step, trigger index) must neither crash
// nor read out of bounds, whatever the file says about its sizes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "load/load_file.h"
#include "model/ui_sink.h"
#include "model/wave_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sondrix::WaveRecord record;
  sondrix::NullSink sink;
  sondrix::LoadWfmBytes(std::string_view(reinterpret_cast<const char*>(data), size), record, sink);
  return 0;
}

// Any byte string as a WFM file: the reader and the copy step must neither crash nor read out
// of bounds, whatever the file says about its sizes.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "model/ui_sink.h"
#include "wfm/copy_to_source.h"
#include "wfm/wfm_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The reader takes a path, so each input goes through a file of this process's own.
  static const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                            ("sondrix-fuzz-" + std::to_string(::getpid()) + ".wfm");
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  sondrix::WaveRecord record;
  sondrix::NullSink sink;
  if (sondrix::ReadWfmFile(path, record, sink).ok()) sondrix::CopyWaveToSource(record);
  return 0;
}

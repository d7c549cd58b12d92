#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

#include "io/byte_reader.h"
#include "model/ui_sink.h"
#include "model/wave_record.h"
#include "wfm/read_status.h"

namespace sondrix {

// Reads one WFM file into the record: the setup header into `header`, then `WfmChannels`,
// `WfmPoints`, what `waveBuf` tells of the blocks, and the samples of the channels a load takes
// straight into `buffers.SrcData` (swapped, and negated where the channel is inverted), each
// array grown to its size for drawing. Members are written as their lines are met, so a failed
// read leaves the header partly updated (the caller then takes and draws nothing); the samples
// are placed only once every block's size has been checked, so a file cut short leaves them as
// they were. Reports "may take a while" first and then the completion or error text to
// ui.message().
ReadResult ReadWfmFile(const std::filesystem::path& path, WaveRecord& record, UiSink& ui);
// The same read of a file's contents already in memory.
ReadResult ReadWfmBytes(std::string_view bytes, WaveRecord& record, UiSink& ui);

// A capture read in pieces: the headers at once, the samples only where and when they are asked
// for, so that a converter never holds the record.
class WfmSampleReader {
 public:
  // Reads the setup and binary headers into `record` as ReadWfmFile does, with the same checks,
  // reasons and reports up to every block's size (the completion is reported once the sizes are
  // checked), but places no sample: the file stays open for read().
  ReadResult open(const std::filesystem::path& path, WaveRecord& record, UiSink& ui);
  // The same of a file's contents in memory, which must outlive the reader.
  ReadResult openBytes(std::string_view bytes, WaveRecord& record, UiSink& ui);

  // The shown samples [first, first + out.size()) of channel `ch` (below the blocks the header
  // gives) as a load places them: swapped, 8-bit ones widened, negated where the channel is
  // inverted. Fails with the byte where the block starts when the file, cut short since it was
  // opened, cannot give them. Threads may read at once.
  ReadResult read(int ch, std::int64_t first, std::span<std::int16_t> out) const;

 private:
  ReadResult readHeader(WaveRecord& record);

  ByteReader file_;
  std::int64_t blocksAt_ = 0;    // where the first block starts in the file
  std::int64_t blockBytes_ = 0;  // one block, shown samples and the others
  std::int64_t shownAt_ = 0;     // the bytes before the shown samples of a block
  std::int64_t sampleSize_ = 2;
  std::int32_t points_ = 0;
  std::int32_t channels_ = 0;  // the blocks in the file
  std::array<bool, kChannelCount> invert_{};
};

}  // namespace sondrix

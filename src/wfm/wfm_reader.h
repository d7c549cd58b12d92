#pragma once

#include <filesystem>
#include <string_view>

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

}  // namespace sondrix

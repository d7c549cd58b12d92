#pragma once

#include <filesystem>
#include <string_view>

#include "model/ui_sink.h"
#include "model/wave_record.h"
#include "wfm/read_status.h"

namespace sondrix {

// Reads one WFM file into the record: the setup header into `header`, then `WfmChannels`,
// `WfmPoints` and the sample matrix `waveBuf`. Members are written as their lines are met, so a
// failed read leaves the record partly updated (the caller then copies and draws nothing).
// Reports "may take a while" first and then the completion or error text to ui.message().
ReadResult ReadWfmFile(const std::filesystem::path& path, WaveRecord& record, UiSink& ui);
// The same read of a file's contents already in memory.
ReadResult ReadWfmBytes(std::string_view bytes, WaveRecord& record, UiSink& ui);

}  // namespace sondrix

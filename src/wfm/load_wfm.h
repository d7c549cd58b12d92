#pragma once

#include <filesystem>
#include <string>

#include "model/ui_sink.h"
#include "model/view_state.h"
#include "model/wave_record.h"
#include "view/scene.h"
#include "view/smoothing_choice.h"
#include "wfm/read_status.h"

namespace sondrix {

struct LoadResult {
  ReadResult read;              // the reader's or the copy's status
  std::string acqDataSizeText;  // the point-count caption, set whatever the status
};

// Makes one WFM file the displayed waveform: reads it, copies each channel into its source
// array (inverted where its setting says so), shows the reference marks of channels 3 and 4
// only when the file has them, resets the view to the whole record at unit zoom and draws.
// A failed read or copy changes nothing but what the reader wrote into the record: the source
// arrays, the view, the flags and the scene stay as they were.
LoadResult LoadWfmFile(const std::filesystem::path& path, WaveRecord& record, ViewState& view,
                       SmoothingChoice& smoothing, Scene& scene, UiSink& ui);

}  // namespace sondrix

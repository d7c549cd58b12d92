#include "wfm/load_wfm.h"

#include "view/renderer.h"
#include "wfm/copy_to_source.h"
#include "wfm/messages.h"
#include "wfm/wfm_reader.h"

namespace sondrix {

LoadResult LoadWfmFile(const std::filesystem::path& path, WaveRecord& record, ViewState& view,
                       SmoothingChoice& smoothing, Scene& scene, UiSink& ui) {
  LoadResult result;
  result.read = ReadWfmFile(path, record, ui);
  // The caption shows the record's point count even after a failed read.
  result.acqDataSizeText =
      std::string(wfm_messages::kAcqDataSize) + std::to_string(record.WfmPoints);
  if (result.read.ok()) {
    result.read = CopyWaveToSource(record);
    // The reader reported success, but a file whose samples cannot be shown is not loaded.
    if (!result.read.ok()) ui.message(wfm_messages::kReadError);
  }
  if (!result.read.ok()) return result;

  const bool upper = HasUpperChannels(record);
  scene.vrefLines[2].visible = upper;
  scene.vrefLines[3].visible = upper;
  ResetView(view, record.header.Points);
  view.WaveLoaded = true;
  DrawWaveform(record, view, smoothing, scene, view.StartIndex, view.EndIndex,
               record.header.TimeDiv);
  return result;
}

}  // namespace sondrix

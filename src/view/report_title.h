#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/view_state.h"
#include "model/wave_header.h"
#include "view/readouts.h"
#include "view/scene.h"

namespace sondrix {

// The strip above a report picture's graticule: what the capture is, then its scales.
struct ReportTitle {
  // The file's name, its acquisition time and its model as the capture states them, blanks
  // trimmed, the empty ones left out, three spaces apart.
  std::string heading;
  // Each shown channel's volts per division at the view's magnification in the channel's
  // colour ("Ch1:500mV/div"), then the time per division of the window in white ("1ms/div"),
  // as read-outs are written; empty before the first draw.
  std::vector<ReadoutPiece> scales;
};

ReportTitle MakeReportTitle(std::string_view fileName, const WaveHeader& header,
                            const ViewState& view, const Scene& scene);

}  // namespace sondrix

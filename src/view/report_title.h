#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/wave_header.h"
#include "view/readouts.h"
#include "view/scene.h"

namespace sondrix {

// The strip above a report picture's graticule: what the capture is, then its scales.
struct ReportTitle {
  // The file's name, its acquisition time and its model as the capture states them, blanks
  // trimmed, the empty ones left out, three spaces apart.
  std::string heading;
  // Each shown channel's V/div caption in the channel's colour, then the time per division in
  // white; empty before the first draw.
  std::vector<ReadoutPiece> scales;
};

ReportTitle MakeReportTitle(std::string_view fileName, const WaveHeader& header,
                            const Scene& scene);

}  // namespace sondrix

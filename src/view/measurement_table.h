#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/wave_header.h"
#include "view/measurements.h"
#include "view/scene.h"

namespace sondrix {

inline constexpr std::size_t kMeasurementColumns = 7;  // channel, five figures, frequency

// The table over the surface: a head row, then one row per measured channel in its colour:
// "Ch1", the minimum, maximum, peak-to-peak, mean and RMS in the channel's unit, and the
// frequency in Hz ("—" without one).
struct MeasurementRow {
  Rgb colour = kWhite;
  std::array<std::string, kMeasurementColumns> cells;
  friend bool operator==(const MeasurementRow&, const MeasurementRow&) = default;
};
struct MeasurementTable {
  std::array<std::string, kMeasurementColumns> head;
  std::vector<MeasurementRow> rows;
};

MeasurementTable TabulateMeasurements(const WaveHeader& header,
                                      const std::vector<ChannelMeasurement>& figures);

}  // namespace sondrix

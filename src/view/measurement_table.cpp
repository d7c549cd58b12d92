#include "view/measurement_table.h"

#include "view/engineering.h"
#include "view/messages.h"
#include "view/readouts.h"

namespace sondrix {

MeasurementTable TabulateMeasurements(const WaveHeader& header,
                                      const std::vector<ChannelMeasurement>& figures) {
  using namespace view_messages;
  MeasurementTable table;
  table.head = {kMeasureTitle, kMinimum, kMaximum, kPeakToPeak, kMean, kRms, kFrequency};
  for (const ChannelMeasurement& m : figures) {
    const auto c = static_cast<std::size_t>(m.channel);
    const std::string unit = UnitOf(header.Channel[c]);
    table.rows.push_back(
        {kChannelColours[c],
         {"Ch" + std::to_string(m.channel + 1), ReadingText(m.min, unit), ReadingText(m.max, unit),
          ReadingText(m.peakToPeak, unit), ReadingText(m.mean, unit), ReadingText(m.rms, unit),
          m.frequency ? ReadingText(*m.frequency, "Hz") : kNoValue}});
  }
  return table;
}

}  // namespace sondrix

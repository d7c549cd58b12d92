#include "view/report_title.h"

#include <cmath>

#include "view/engineering.h"

namespace sondrix {
namespace {

std::string_view Trimmed(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

ReportTitle MakeReportTitle(std::string_view fileName, const WaveHeader& header,
                            const ViewState& view, const Scene& scene) {
  ReportTitle title;
  for (const std::string_view piece :
       {fileName, std::string_view(header.AcqTime), std::string_view(header.ModelName)}) {
    const std::string_view text = Trimmed(piece);
    if (text.empty()) continue;
    if (!title.heading.empty()) title.heading += "   ";
    title.heading += text;
  }
  if (!scene.graticule.drawn) return title;
  for (std::size_t c = 0; c < kChannelCount; ++c) {
    const Caption& caption = scene.vdivLabels[c];
    if (!caption.visible) continue;
    // A view never drawn has no magnification yet: no figure rather than a division by zero.
    const double vdiv = view.YZoom > 0.0f ? double{header.Channel[c].Vdiv} / view.YZoom : NAN;
    title.scales.push_back(
        {"Ch" + std::to_string(c + 1) + ":" + ReadingText(vdiv, UnitOf(header.Channel[c]) + "/div"),
         caption.backColour});
  }
  title.scales.push_back({ReadingText(view.ShownTimeDiv, "s/div"), kWhite});
  return title;
}

}  // namespace sondrix

#include "view/report_title.h"

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
                            const Scene& scene) {
  ReportTitle title;
  for (const std::string_view piece :
       {fileName, std::string_view(header.AcqTime), std::string_view(header.ModelName)}) {
    const std::string_view text = Trimmed(piece);
    if (text.empty()) continue;
    if (!title.heading.empty()) title.heading += "   ";
    title.heading += text;
  }
  if (!scene.graticule.drawn) return title;
  for (int c = 0; c < kChannelCount; ++c) {
    const Caption& caption = scene.vdivLabels[static_cast<std::size_t>(c)];
    if (caption.visible) title.scales.push_back({caption.text, caption.backColour});
  }
  title.scales.push_back({scene.tdivLabel.text, kWhite});
  return title;
}

}  // namespace sondrix

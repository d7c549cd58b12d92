#include "view/renderer.h"

#include <algorithm>
#include <cmath>

#include "numtext/rounding.h"
#include "view/plot_trace.h"
#include "view/scale_marks.h"

namespace sondrix {
namespace {

constexpr int kTracePenWidth = 2;

// The view's vertical range as the trace scale's 16-bit counts. The view is clamped in place
// to the 16-bit range first; a range that a far zoom centre pushed wholly beyond it saturates
// rather than failing the draw.
TraceScale traceScale(ViewState& view) {
  view.YBottom = std::max(view.YBottom, kFullScaleBottom);
  view.YTop = std::min(view.YTop, kFullScaleTop);
  const auto to16 = [](float v) {
    return static_cast<std::int16_t>(std::clamp(RoundHalfEven(std::isnan(v) ? 0.0f : v),
                                                double{kFullScaleBottom}, double{kFullScaleTop}));
  };
  return {view.StartIndex, view.EndIndex, to16(view.YTop), to16(view.YBottom)};
}

Trace& plot(Scene& scene, ViewState& view, std::span<const std::int16_t> samples, int ch,
            bool smoothed, Rgb colour, TraceStyle style) {
  Trace& trace = scene.traces.emplace_back();
  trace.channel = ch;
  trace.smoothed = smoothed;
  trace.colour = colour;
  trace.penWidth = kTracePenWidth;
  trace.style = style;
  trace.scale = traceScale(view);
  PlotTrace(samples, view.StartIndex, view.EndIndex, style, trace.points);
  return trace;
}

// A channel's main trace in its colour, then its captions and marks.
void drawChannel(const WaveHeader& header, ViewState& view, Scene& scene, int ch,
                 std::span<const std::int16_t> samples, bool smoothed) {
  const auto c = static_cast<std::size_t>(ch);
  plot(scene, view, samples, ch, smoothed, scene.vdivLabels[c].backColour, TraceStyle::Line);
  scene.vrefLines[c].visible = true;
  scene.vdivLabels[c].visible = true;
  LabelChannel(header, view, ch, scene);
}

// The smoothed samples as white dots over the main trace; no caption or mark changes.
void drawSmoothOverlay(ViewState& view, Scene& scene, int ch,
                       std::span<const std::int16_t> samples) {
  plot(scene, view, samples, ch, true, kWhite, TraceStyle::Dots);
}

// The source arrays must hold the window, and the index after an empty window that smoothing
// raises the window to; the load sizes them so.
bool windowFits(const SampleBuffers& buffers, std::int32_t start, std::int32_t end) {
  if (start < 0) return false;
  const std::int64_t needed = std::max<std::int64_t>(end, std::int64_t{start} + 1) + 1;
  return needed <= kSampleCapacity &&
         std::ranges::all_of(buffers.SrcData, [needed](const SampleArray& source) {
           return static_cast<std::int64_t>(source.size()) >= needed;
         });
}

}  // namespace

void DrawGraticule(Scene& scene) {
  scene.graticule = Graticule{};
  scene.graticule.drawn = true;
  scene.traces.clear();
}

bool DrawWaveform(const WaveRecord& record, ViewState& view, SmoothingChoice& smoothing,
                  SmoothedWindow& smoothed, Scene& scene, std::int32_t start, std::int32_t end,
                  double timeDiv) {
  if (!view.WaveLoaded || !windowFits(record.buffers, start, end)) return false;
  const WaveHeader& header = record.header;
  view.StartIndex = start;
  view.EndIndex = end;
  view.ShownTimeDiv = ClampToFloat(timeDiv);

  DrawGraticule(scene);
  for (std::size_t c = 0; c < kChannelCount; ++c) {
    scene.vrefLines[c].visible = false;
    scene.vdivLabels[c].visible = false;
  }

  const int channels = std::clamp<int>(header.ChCount, 0, kChannelCount);
  for (int ch = 0; ch < channels; ++ch) {
    const auto c = static_cast<std::size_t>(ch);
    if (header.Channel[c].DispOn == 0) continue;
    const std::span<const std::int16_t> source = record.buffers.SrcData[c];
    if (smoothing.mode != SmoothingMode::SmoothedOnly) {
      drawChannel(header, view, scene, ch, source, false);
    }
    if (smoothing.mode == SmoothingMode::SourceOnly) continue;
    const std::int32_t width = ApplySmoothingWidth(smoothing);
    view.EndIndex = SmoothWindow(record, ch, view.StartIndex, view.EndIndex, width, smoothed);
    const std::span<const std::int16_t> window = smoothed.samples[c];
    if (smoothing.mode == SmoothingMode::SourceAndSmoothed) {
      drawSmoothOverlay(view, scene, ch, window);
    } else {
      drawChannel(header, view, scene, ch, window, true);
    }
  }
  view.WaveDrawn = true;
  return true;
}

}  // namespace sondrix

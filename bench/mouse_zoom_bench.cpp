// The window on a 5-million-point, 4-channel capture, offscreen: one notch of the wheel over the
// surface until the surface has painted the zoomed window, without and with the measurement
// table (which measures the new window at full resolution); the release of a rubber band, and
// one step of a drag that pans, until painted.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWheelEvent>

#include "app/file_browser.h"
#include "app/main_form.h"
#include "app/wave_frame.h"
#include "record_files.h"
#include "support/scripted_services.h"

namespace sondrix {
namespace {

struct Window {
  QTemporaryDir data;
  testing::ScriptedServices services{data.path()};
  MainForm form{services};

  Window() {
    form.resize(1280, 800);
    form.show();
    const std::filesystem::path& file = bench::FiveMillionPointCapture();
    form.browser().setPath(QString::fromStdString(file.parent_path().string()));
    auto* list = form.findChild<QListWidget*>(QStringLiteral("FileList"));
    const auto found =
        list->findItems(QString::fromStdString(file.filename().string()), Qt::MatchFixedString);
    if (!found.isEmpty()) list->setCurrentItem(found.front());
    button("BinToCsvConvert")->click();
    QApplication::processEvents();
  }
  QPushButton* button(const char* name) {
    return form.findChild<QPushButton*>(QString::fromLatin1(name));
  }
  // One notch away from the operator at 70 % of the surface's width.
  void wheel() {
    WaveSurface* surface = form.waveFrame().surface();
    const QPointF at(0.7 * surface->width(), 0.5 * surface->height());
    QWheelEvent event(at, surface->mapToGlobal(at), {}, {0, QWheelEvent::DefaultDeltasPerStep},
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(surface, &event);
    surface->repaint();
  }
  // One mouse event at fractions of the surface.
  void mouse(QEvent::Type type, Qt::MouseButton button, QPointF at) {
    WaveSurface* surface = form.waveFrame().surface();
    const QPointF pixel(at.x() * (surface->width() - 1), at.y() * (surface->height() - 1));
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, pixel, surface->mapToGlobal(pixel),
                      type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
    QApplication::sendEvent(surface, &event);
  }
};

Window& TheWindow() {
  static Window* window = new Window;
  return *window;
}

void WheelUntilPainted(benchmark::State& state, bool measuring) {
  Window& w = TheWindow();
  if (w.form.record().header.Points != bench::kBenchPoints) state.SkipWithError("not loaded");
  w.form.findChild<QAction*>(QStringLiteral("Measure"))->setChecked(measuring);
  for (auto _ : state) {
    state.PauseTiming();
    w.button("XReset")->click();
    state.ResumeTiming();
    w.wheel();
  }
  if (w.form.view().XZoom != 2.0f) state.SkipWithError("the wheel did not zoom");
  w.form.findChild<QAction*>(QStringLiteral("Measure"))->setChecked(false);
}

void BM_WheelZoomUntilPainted(benchmark::State& state) { WheelUntilPainted(state, false); }
BENCHMARK(BM_WheelZoomUntilPainted)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_WheelZoomWithMeasurementsUntilPainted(benchmark::State& state) {
  WheelUntilPainted(state, true);
}
BENCHMARK(BM_WheelZoomWithMeasurementsUntilPainted)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A band over a third of the width and half the height, from its release to painted.
void BM_BandZoomUntilPainted(benchmark::State& state) {
  Window& w = TheWindow();
  if (w.form.record().header.Points != bench::kBenchPoints) state.SkipWithError("not loaded");
  for (auto _ : state) {
    state.PauseTiming();
    w.button("XReset")->click();
    w.mouse(QEvent::MouseButtonPress, Qt::LeftButton, {0.3, 0.25});
    w.mouse(QEvent::MouseMove, Qt::LeftButton, {0.633, 0.75});
    state.ResumeTiming();
    w.mouse(QEvent::MouseButtonRelease, Qt::LeftButton, {0.633, 0.75});
    w.form.waveFrame().surface()->repaint();
  }
  if (!(w.form.view().XZoom > 2.9f)) state.SkipWithError("the band did not zoom");
}
BENCHMARK(BM_BandZoomUntilPainted)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A middle drag on a magnified window, each step a tenth of the width one way or the other.
void BM_PanStepUntilPainted(benchmark::State& state) {
  Window& w = TheWindow();
  if (w.form.record().header.Points != bench::kBenchPoints) state.SkipWithError("not loaded");
  w.button("XReset")->click();
  w.button("Expand")->click();
  const float zoom = w.form.view().XZoom;
  w.mouse(QEvent::MouseButtonPress, Qt::MiddleButton, {0.5, 0.5});
  bool left = false;
  for (auto _ : state) {
    left = !left;
    w.mouse(QEvent::MouseMove, Qt::MiddleButton, {left ? 0.4 : 0.5, 0.5});
    w.form.waveFrame().surface()->repaint();
  }
  w.mouse(QEvent::MouseButtonRelease, Qt::MiddleButton, {0.5, 0.5});
  if (!(zoom > 1.0f) || w.form.view().XZoom != zoom) state.SkipWithError("no pan to time");
}
BENCHMARK(BM_PanStepUntilPainted)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
}  // namespace sondrix

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

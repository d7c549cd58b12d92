// The window on a 5-million-point, 4-channel capture, offscreen: playing the file until the
// surface has painted it, a zoom press or a smoothing change until painted (at scale factors 1
// and 2), and painting alone on a long and a short record. The first benchmark reports the idle
// window's resident memory.
// The last two compare a continuous run of 100 files, storing each, with playing and storing the
// same files one command at a time: the difference is what the run itself costs.
#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include "app/file_browser.h"
#include "app/main_form.h"
#include "app/wave_frame.h"
#include "csv/csv_writer.h"
#include "csv/to_volts.h"
#include "load/load_file.h"
#include "record_files.h"
#include "support/scripted_services.h"
#include "synth/signals.h"
#include "synth/wfm_writer.h"
#include "view/renderer.h"

namespace sondrix {
namespace {

double ResidentMegabytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  }
  return 0.0;
}

// One window for the whole program, as the operator has it.
struct Window {
  QTemporaryDir data;
  testing::ScriptedServices services{data.path()};
  MainForm form{services};

  explicit Window(QScreen* screen = nullptr) {
    if (screen) {
      form.setScreen(screen);
      form.move(screen->geometry().topLeft());
    }
    form.resize(1280, 800);
    form.show();
    QApplication::processEvents();
  }
  void select(const std::filesystem::path& file) {
    form.browser().setPath(QString::fromStdString(file.parent_path().string()));
    auto* list = form.findChild<QListWidget*>(QStringLiteral("FileList"));
    const auto found =
        list->findItems(QString::fromStdString(file.filename().string()), Qt::MatchFixedString);
    if (!found.isEmpty()) list->setCurrentItem(found.front());
  }
  void click(const char* name) { form.findChild<QPushButton*>(QString::fromLatin1(name))->click(); }
  void paint() { form.waveFrame().surface()->repaint(); }
  bool playCapture() {
    if (form.record().header.Points != bench::kBenchPoints) {
      select(bench::FiveMillionPointCapture());
      click("BinToCsvConvert");
    }
    return form.record().header.Points == bench::kBenchPoints;
  }
};

Window& TheWindow() {
  static Window* window = new Window;
  return *window;
}

// The window at a scale factor of 2 (a high-resolution screen), on the second screen that main()
// gives the offscreen platform; none when no screen has that scale.
Window* TheWindowAtScale2() {
  static Window* window = []() -> Window* {
    for (QScreen* screen : QGuiApplication::screens()) {
      if (screen->devicePixelRatio() == 2.0) return new Window(screen);
    }
    return nullptr;
  }();
  return window;
}

void BM_IdleWindowResidentMemory(benchmark::State& state) {
  TheWindow();
  for (auto _ : state) QApplication::processEvents();
  state.counters["RSS_MB"] = ResidentMegabytes();
}
BENCHMARK(BM_IdleWindowResidentMemory)->Iterations(1);

void BM_PlayFileUntilPainted(benchmark::State& state) {
  Window& w = TheWindow();
  w.select(bench::FiveMillionPointCapture());
  for (auto _ : state) {
    w.click("BinToCsvConvert");
    w.paint();
  }
  if (w.form.record().header.Points != bench::kBenchPoints) state.SkipWithError("not loaded");
  state.counters["RSS_MB"] = ResidentMegabytes();
}
BENCHMARK(BM_PlayFileUntilPainted)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ZoomPressUntilPainted(benchmark::State& state) {
  Window& w = TheWindow();
  for (auto _ : state) {
    state.PauseTiming();
    w.click("XReset");
    state.ResumeTiming();
    w.click("Expand");
    w.paint();
  }
}
BENCHMARK(BM_ZoomPressUntilPainted)->Unit(benchmark::kMillisecond);

void BM_SmoothingChangeUntilPainted(benchmark::State& state) {
  Window* scaled = state.range(0) == 2 ? TheWindowAtScale2() : &TheWindow();
  if (!scaled) {
    state.SkipWithError("no screen at scale factor 2 (the offscreen platform has one)");
    return;
  }
  Window& w = *scaled;
  if (!w.playCapture()) state.SkipWithError("the capture did not load");
  w.click("XReset");
  auto* source = w.form.findChild<QRadioButton*>(QStringLiteral("smOption0"));
  auto* smoothed = w.form.findChild<QRadioButton*>(QStringLiteral("smOption2"));
  for (auto _ : state) {
    state.PauseTiming();
    source->setChecked(true);
    state.ResumeTiming();
    smoothed->setChecked(true);
    w.paint();
  }
  source->setChecked(true);
  state.counters["scale"] = w.form.devicePixelRatioF();
}
BENCHMARK(BM_SmoothingChangeUntilPainted)
    ->ArgName("scale")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond);

// Painting works on the decimated scene, so its cost does not follow the record's length.
void BM_PaintOnly(benchmark::State& state) {
  Window& w = TheWindow();
  if (state.range(0) != bench::kBenchPoints) {
    static const QTemporaryDir folder;
    synth::Capture capture;
    capture.model = synth::ZtModel(6, 4);
    capture.channels.resize(4);
    for (auto& ch : capture.channels) {
      ch.samples =
          synth::NoisySine(static_cast<std::size_t>(state.range(0)), 12000.0, 20.0, 800.0, 1);
    }
    const auto path = std::filesystem::path(folder.path().toStdString()) / "short.wfm";
    synth::WriteBytes(path, synth::SerializeWfm(synth::MakeCapture(capture)));
    w.select(path);
  } else {
    w.select(bench::FiveMillionPointCapture());
  }
  w.click("BinToCsvConvert");
  for (auto _ : state) w.paint();
  state.counters["points"] = static_cast<double>(w.form.record().header.Points);
}
BENCHMARK(BM_PaintOnly)->Arg(10'000)->Arg(bench::kBenchPoints)->Unit(benchmark::kMillisecond);

// The busiest picture: each channel's trace with its smoothed dots over it.
void BM_PaintSourceAndSmoothed(benchmark::State& state) {
  Window& w = TheWindow();
  w.select(bench::FiveMillionPointCapture());
  w.click("BinToCsvConvert");
  w.form.findChild<QRadioButton*>(QStringLiteral("smOption1"))->setChecked(true);
  for (auto _ : state) w.paint();
  w.form.findChild<QRadioButton*>(QStringLiteral("smOption0"))->setChecked(true);
}
BENCHMARK(BM_PaintSourceAndSmoothed)->Unit(benchmark::kMillisecond);

constexpr int kRunFiles = 100;

benchmark::Counter PerFile() {
  return benchmark::Counter(
      kRunFiles, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// 100 four-channel captures of 100,000 points, written once. In memory where the machine has a
// memory file system, so that the disk's write-back does not blur the run's own cost.
const QTemporaryDir& RunFolder() {
  static const std::unique_ptr<QTemporaryDir> folder = [] {
    auto dir = QDir(QStringLiteral("/dev/shm")).exists()
                   ? std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/sondrix-run-XXXXXX"))
                   : std::make_unique<QTemporaryDir>();
    synth::Capture capture;
    capture.model = synth::ZtModel(6, 4);
    capture.channels.resize(4);
    for (auto& ch : capture.channels)
      ch.samples = synth::NoisySine(100'000, 12000.0, 20.0, 800.0, 1);
    const std::string bytes = synth::SerializeWfm(synth::MakeCapture(capture));
    for (int i = 0; i < kRunFiles; ++i) {
      synth::WriteBytes(std::filesystem::path(dir->path().toStdString()) /
                            ("run" + std::to_string(100 + i) + ".wfm"),
                        bytes);
    }
    return dir;
  }();
  return *folder;
}

// Counts the paints a widget receives.
class PaintCounter final : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

void BM_ContinuousRunStoring100Files(benchmark::State& state) {
  Window& w = TheWindow();
  const QString folder = RunFolder().path();
  w.form.findChild<QLineEdit*>(QStringLiteral("MInt"))->setText(QStringLiteral("0"));
  w.form.findChild<QCheckBox*>(QStringLiteral("AllSaveCheck"))->setChecked(true);
  // Hidden, the window paints nothing: the difference to the shown window is the painting of
  // each file.
  if (state.range(0) == 0) w.form.hide();
  PaintCounter counter;
  w.form.waveFrame().surface()->installEventFilter(&counter);
  for (auto _ : state) {
    w.form.browser().setPath(folder);
    w.click("Start");
  }
  w.form.findChild<QCheckBox*>(QStringLiteral("AllSaveCheck"))->setChecked(false);
  w.form.show();
  w.form.waveFrame().surface()->removeEventFilter(&counter);
  state.counters["s_per_file"] = PerFile();
  state.counters["surface_paints_per_file"] =
      static_cast<double>(counter.paints) / static_cast<double>(kRunFiles * state.iterations());
}
BENCHMARK(BM_ContinuousRunStoring100Files)
    ->ArgName("shown")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

// The same loads and stores without the window: what the run costs beyond this is its own.
void BM_LoadAndStore100FilesWithoutTheWindow(benchmark::State& state) {
  const std::filesystem::path folder = RunFolder().path().toStdString();
  WaveRecord record;
  ViewState view;
  Scene scene = InitialScene();
  SmoothingChoice smoothing;
  SmoothedWindow smoothed;
  NullSink quiet;
  for (auto _ : state) {
    for (int i = 0; i < kRunFiles; ++i) {
      const std::string name = "run" + std::to_string(100 + i);
      if (LoadWfmFile(folder / (name + ".wfm"), record, quiet).ok) {
        ResetView(view, record.header.Points);
        view.WaveLoaded = true;
        DrawWaveform(record, view, smoothing, smoothed, scene, view.StartIndex, view.EndIndex,
                     record.header.TimeDiv);
      }
      ToVoltsForDisplayed(record);
      WriteCsvFile(folder / (name + ".CSV"), record.header, record.buffers.VoltData, 0, quiet);
    }
  }
  state.counters["s_per_file"] = PerFile();
}
BENCHMARK(BM_LoadAndStore100FilesWithoutTheWindow)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

}  // namespace
}  // namespace sondrix

int main(int argc, char** argv) {
  // Two offscreen screens, the second at scale factor 2 (192 dpi against a base of 96), so that
  // one run times the window at both scales: Qt reads its screens once, as the application starts.
  QTemporaryFile screens;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && screens.open()) {
    screens.write(R"({"screens": [
      {"name": "scale1", "x": 0, "y": 0, "width": 1920, "height": 1200,
       "logicalDpi": 96, "logicalBaseDpi": 96},
      {"name": "scale2", "x": 1920, "y": 0, "width": 3840, "height": 2400,
       "logicalDpi": 192, "logicalBaseDpi": 96}]})");
    screens.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// Following a folder live, timed as the operator and a script see it:
//  - the window: from the close of a new 1,000,000-point, 4-channel capture in the followed
//    folder to the scene painted (median of 11), and the CPU ticks of 10 s of following an idle
//    folder;
//  - sondrix-convert --watch: from the close of the same capture to its CSV line on stdout
//    (median of 5) against a plain conversion of it, the ticks of 10 s idle, and a burst of
//    1,000 small captures: each converted once.
// Prints one line per figure. Usage: follow_timings (offscreen; needs no display)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/file_browser.h"
#include "app/main_form.h"
#include "app/wave_frame.h"
#include "record_files.h"
#include "support/scripted_services.h"
#include "synth/wfm_writer.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// User plus system ticks of a process so far.
long Ticks(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), {});
  std::size_t at = text.rfind(')');
  std::vector<std::string> fields;
  for (std::size_t next; at != std::string::npos && at < text.size(); at = next) {
    next = text.find(' ', at + 1);
    fields.push_back(text.substr(at + 1, next == std::string::npos ? next : next - at - 1));
  }
  // After the name: state is field 3, utime 14 and stime 15 of the whole line.
  return fields.size() > 13 ? std::stol(fields[12]) + std::stol(fields[13]) : -1;
}

// Runs the event loop until `done` (looked at every 2 ms) or `ms` pass; whether `done` came.
template <typename Done>
bool WaitFor(Done done, int ms) {
  QEventLoop loop;
  QTimer look;
  QObject::connect(&look, &QTimer::timeout, &loop, [&] {
    if (done()) loop.quit();
  });
  look.start(2);
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
  return done();
}

// Runs the event loop for `ms` with nothing of its own to do.
void Idle(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// Writes `bytes` as `path` and returns the moment it was closed.
Clock::time_point WriteClosed(const std::filesystem::path& path, const std::string& bytes) {
  {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  return Clock::now();
}

void TimeWindow(const std::string& capture) {
  QTemporaryDir data;
  QTemporaryDir folder;
  sondrix::testing::ScriptedServices services(data.path());
  sondrix::MainForm form(services);
  form.resize(1280, 800);
  form.show();
  form.browser().setPath(folder.path());
  form.findChild<QCheckBox*>(QStringLiteral("FollowNew"))->setChecked(true);
  QApplication::processEvents();
  std::vector<double> latencies;
  for (int i = 0; i < 11; ++i) {
    const std::string name = "window" + std::to_string(i) + ".WFM";
    const Clock::time_point closed =
        WriteClosed(std::filesystem::path(folder.path().toStdString()) / name, capture);
    const bool shown =
        WaitFor([&] { return form.windowTitle().startsWith(QString::fromStdString(name)); }, 5000);
    form.waveFrame().surface()->repaint();
    if (!shown) std::printf("window: %s was not shown\n", name.c_str());
    latencies.push_back(Ms(Clock::now() - closed));
  }
  std::printf("window: close to painted, 1M x 4 capture: median %.0f ms (min %.0f, max %.0f)\n",
              Median(latencies), *std::min_element(latencies.begin(), latencies.end()),
              *std::max_element(latencies.begin(), latencies.end()));
  const long before = Ticks(::getpid());
  Idle(10000);
  std::printf("window: 10 s following an idle folder: %ld CPU ticks\n", Ticks(::getpid()) - before);
}

// The converter with stdout on a pipe; its lines are read one at a time.
struct Watcher {
  pid_t pid = -1;
  int out = -1;
  std::string pending;

  Watcher(const std::filesystem::path& in, const std::filesystem::path& csv) {
    int ends[2];
    if (::pipe(ends) != 0) return;
    pid = ::fork();
    if (pid == 0) {
      ::dup2(ends[1], STDOUT_FILENO);
      ::close(ends[0]);
      ::execl(SONDRIX_CONVERT_EXE, SONDRIX_CONVERT_EXE, "--watch", in.c_str(), "-d", csv.c_str(),
              static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(ends[1]);
    out = ends[0];
  }
  // The next line, or empty after `timeout` without one.
  std::string line(std::chrono::milliseconds timeout) {
    const Clock::time_point until = Clock::now() + timeout;
    for (;;) {
      if (const auto end = pending.find('\n'); end != std::string::npos) {
        std::string text = pending.substr(0, end);
        pending.erase(0, end + 1);
        return text;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
      pollfd fd{out, POLLIN, 0};
      if (left.count() <= 0 || ::poll(&fd, 1, static_cast<int>(left.count())) <= 0) return {};
      char buffer[4096];
      const ssize_t got = ::read(out, buffer, sizeof buffer);
      if (got <= 0) return {};
      pending.append(buffer, static_cast<std::size_t>(got));
    }
  }
  int stop() {
    ::kill(pid, SIGINT);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
};

void TimeWatch(const std::string& capture) {
  QTemporaryDir work;
  const std::filesystem::path root = work.path().toStdString();
  const std::filesystem::path in = root / "in";
  const std::filesystem::path csv = root / "csv";
  std::filesystem::create_directories(in);
  std::filesystem::create_directories(csv);

  std::vector<double> plain;
  WriteClosed(root / "plain.WFM", capture);
  for (int i = 0; i < 5; ++i) {
    const Clock::time_point start = Clock::now();
    const std::string command = std::string(SONDRIX_CONVERT_EXE) + " -d " + csv.string() + " " +
                                (root / "plain.WFM").string() + " >/dev/null";
    if (std::system(command.c_str()) != 0) std::printf("watch: the plain conversion failed\n");
    plain.push_back(Ms(Clock::now() - start));
  }

  Watcher watcher(in, csv);
  std::this_thread::sleep_for(300ms);
  std::vector<double> latencies;
  for (int i = 0; i < 5; ++i) {
    const Clock::time_point closed =
        WriteClosed(in / ("watch" + std::to_string(i) + ".WFM"), capture);
    if (watcher.line(10s).empty()) std::printf("watch: no line for capture %d\n", i);
    latencies.push_back(Ms(Clock::now() - closed));
  }
  std::printf(
      "watch: close to CSV written, 1M x 4 capture: median %.0f ms; plain conversion "
      "(process included) median %.0f ms\n",
      Median(latencies), Median(plain));
  const long before = Ticks(watcher.pid);
  std::this_thread::sleep_for(10s);
  std::printf("watch: 10 s idle: %ld CPU ticks\n", Ticks(watcher.pid) - before);

  const std::string small =
      sondrix::synth::SerializeWfm(sondrix::synth::MakeCapture(sondrix::bench::BenchCapture(1000)));
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < 1000; ++i) WriteClosed(in / ("burst" + std::to_string(i) + ".WFM"), small);
  std::multiset<std::string> lines;
  for (std::string line; !(line = watcher.line(lines.size() < 1000 ? 30s : 2s)).empty();) {
    lines.insert(line);
  }
  const std::set<std::string> distinct(lines.begin(), lines.end());
  std::printf("watch: burst of 1000 small captures: %zu lines, %zu distinct, in %.1f s\n",
              lines.size(), distinct.size(), Ms(Clock::now() - start) / 1000.0);
  std::printf("watch: exit status after INT: %d\n", watcher.stop());
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const std::string capture = sondrix::synth::SerializeWfm(
      sondrix::synth::MakeCapture(sondrix::bench::BenchCapture(1'000'000)));
  TimeWindow(capture);
  TimeWatch(capture);
  return 0;
}

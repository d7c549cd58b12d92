#pragma once

#include <cstdint>
#include <functional>
#include <utility>

#include <QString>

#include "app/platform_services.h"

namespace sondrix {

// The operator's run settings as the controls show them at the moment they are read.
struct RunSettings {
  QString LimitLevel;
  QString MaxRepeatTimes;
  QString MInt;  // the pause after each file, in seconds
  Qt::CheckState ConfirmMess = Qt::Unchecked;
  Qt::CheckState AllSaveCheck = Qt::Unchecked;
};

// What the run works with, as callbacks so that it needs no widget. Every value is asked for at
// the moment the run uses it: what the operator changes during a pause or a question applies from
// then on.
struct RunParts {
  // The folder's WFM files, listed afresh when the run starts: their number.
  std::function<std::int32_t()> listFiles;
  // Entry `i` of the file list (empty when the list has no such row any more) and the folder
  // shown, both read again for every file.
  std::function<QString(std::int32_t i)> fileAt;
  std::function<QString()> folder;
  // The folder the run stores its CSV files in, read for every file stored.
  std::function<QString()> storeFolder;

  std::function<RunSettings()> settings;
  // The three number boxes after the start's check.
  std::function<void(const RunSettings&)> showSettings;

  // Loads and draws one WFM file; false when it could not be read (the old waveform stays).
  std::function<bool(const QString& path)> play;
  // The CSV name of every WFM file the run reaches, stored or not: the name the store offers next.
  std::function<void(const QString& csvName)> csvNamed;
  // Stores the displayed waveform as `path`, showing `shownName`.
  std::function<void(const QString& path, const QString& shownName)> store;
  // The window is closing: the run ends at the next point that looks.
  std::function<bool()> closing;

  // Where the run shows itself: Start is held while it lasts, the step goes to the first status
  // panel and the file name to the second, the progress bar counts the finished files.
  std::function<void(bool held)> holdStart;
  std::function<void(const QString&)> message;
  std::function<void(const QString&)> detail;
  std::function<void(std::int32_t count)> progressMax;
  std::function<void(std::int32_t done)> progress;
};

// The continuous run: every WFM file of the folder in turn is drawn, stored as CSV when the
// operator asked for it, and followed by a pause of `MInt` seconds or by the question whether to
// go on. It ends after `MaxRepeatTimes` files, at the end of the list, at a No, at a Stop seen
// after a pause, or when the window closes.
class ContinuousRun {
 public:
  ContinuousRun(RunParts parts, PlatformServices& services)
      : parts_(std::move(parts)), services_(services) {}

  // Runs to the end; returns the number of files shown as done ("k/n 処理完了"), 0 when the
  // folder holds no WFM file.
  std::int32_t Start();
  // Asks the run to end after its current pause. A Stop while no run is going is forgotten.
  void Stop() { stopRequested_ = true; }

 private:
  // The pause: `seconds` on the event loop, or one pass of pending events when below 1 us.
  void WaitSeconds(float seconds);

  RunParts parts_;
  PlatformServices& services_;
  bool stopRequested_ = false;
};

}  // namespace sondrix

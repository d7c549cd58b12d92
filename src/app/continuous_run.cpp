#include "app/continuous_run.h"

#include <exception>

#include "app/messages.h"
#include "app/numeric_text.h"
#include "app/qt_text.h"
#include "app/scope_exit.h"
#include "app/split_path.h"
#include "csv/csv_name.h"
#include "numtext/rounding.h"

namespace sondrix {

namespace {

QString Progress(std::int32_t done, std::int32_t count, const char* what) {
  return QString::number(done) + u'/' + QString::number(count) + U(what);
}

}  // namespace

void ContinuousRun::WaitSeconds(float seconds) {
  if (!(seconds >= 0.000001f)) {
    services_.pumpEvents();
    return;
  }
  services_.waitSeconds(seconds);
}

std::int32_t ContinuousRun::Start() {
  const std::int32_t count = parts_.listFiles();
  if (count == 0) {
    services_.showMessage(U(messages::kNoFiles), U(messages::kWfmCheckTitle), MessageButtons::Ok);
    return 0;
  }
  parts_.holdStart(true);
  // Start is given back however the run ends, an escaping failure included.
  const ScopeExit release([this] { parts_.holdStart(false); });

  RunSettings checked = parts_.settings();
  checked.LimitLevel = CheckNumericText(checked.LimitLevel, U(messages::kLimitLevelDefault));
  checked.MaxRepeatTimes =
      CheckNumericText(checked.MaxRepeatTimes, U(messages::kMaxRepeatTimesDefault));
  checked.MInt = CheckNumericText(checked.MInt, U(messages::kMIntDefault));
  parts_.showSettings(checked);

  parts_.progressMax(count);
  stopRequested_ = false;

  std::int32_t k = count;
  for (std::int32_t i = 0; i < count; ++i) {
    // Entry and folder are read afresh for every file; a list the operator changed during a
    // pause may have no entry i any more, which then counts as a file that is not WFM.
    const QString name = parts_.fileAt(i);
    const QString path = JoinPath(parts_.folder(), name);
    parts_.message(Progress(i + 1, count, messages::kProcessing));
    parts_.detail(name);

    if (name.right(4).toUpper() == U(messages::kWfmExtension)) {
      bool loaded = false;
      try {
        loaded = parts_.play(path);
      } catch (const std::exception&) {
        // No memory for this file: it counts as one that could not be read, and the run goes on.
      }
      const QString csvName = U(CsvNameForWfm(Std(name)));
      parts_.csvNamed(csvName);
      // A file that could not be read would store the previous waveform under its name.
      if (parts_.settings().AllSaveCheck == Qt::Checked && loaded) {
        // Resolved now: a command run during the write may move the run's folder.
        parts_.store(JoinPath(parts_.storeFolder(), csvName), csvName);
      }
      if (parts_.closing()) {
        k = i;
        break;
      }
    }

    // A grey check box asks too.
    if (parts_.settings().ConfirmMess != Qt::Unchecked) {
      const MessageAnswer answer = services_.showMessage(
          U(messages::kContinue), U(messages::kOperationTitle), MessageButtons::YesNo);
      if (answer == MessageAnswer::No || parts_.closing()) {
        k = i;
        break;
      }
    } else {
      // Read before every pause, so a change during the run applies from the next one.
      WaitSeconds(ClampToFloat(BoxNumber(parts_.settings().MInt)));
      if (stopRequested_ || parts_.closing()) {
        k = i;
        break;
      }
    }
    parts_.progress(i + 1);
    // Read at every file: a new value, or a folder change that writes its count, applies.
    if (i + 1 >= BoxNumber(parts_.settings().MaxRepeatTimes)) {
      k = i + 1;
      break;
    }
  }
  parts_.message(Progress(k, count, messages::kProcessed));
  return k;
}

}  // namespace sondrix

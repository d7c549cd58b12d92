#pragma once

#include <functional>
#include <memory>

#include <QObject>
#include <QString>

#include "load/arrivals.h"

class QSocketNotifier;
class QTimer;

namespace sondrix {

class FolderWatch;

// What following needs of the window.
struct FollowLinks {
  // Another command is loading, storing or running: a capture waits until it has ended, so that
  // two waveforms never mix in the record or in a file being written.
  std::function<bool()> busy;
  // Whether the file list's pattern takes `name`.
  std::function<bool(const QString& name)> wanted;
  // Plays the capture at `path`: empty when it was read and drawn, else the reader's reason.
  std::function<QString(const QString& path)> play;
  // Whether each capture played is also stored, and the store of the one just played.
  std::function<bool()> storing;
  std::function<void(const QString& name)> store;
  // A capture that stayed unreadable: its name and the reader's reason.
  std::function<void(const QString& name, const QString& reason)> unreadable;
};

// Follows one folder live: each capture that appears in it (or changes) is played once complete.
// It sleeps on the kernel's notice of changes; without one it lists the folder once a second.
// When several arrive together the newest is shown; when storing, each is played and stored in
// order of arrival.
class FolderFollower final : public QObject {
 public:
  FolderFollower(FollowLinks links, QObject* parent);
  ~FolderFollower() override;

  // Follows `folder`; the files there now are not new. `poll` lists it every second instead.
  void start(const QString& folder, bool poll = false);
  void stop();
  bool following() const { return watch_ != nullptr; }
  const QString& folder() const { return folder_; }
  // The settle and give-up times, shorter in tests; taken by the next start.
  void setTimes(ArrivalTimes times) { times_ = times; }

 private:
  std::vector<FolderEntry> list() const;
  // The folder changed (or the poll came round): list it again and try what is due.
  void changed();
  void tryDue();
  void wakeForNext();

  FollowLinks links_;
  ArrivalTimes times_;
  QString folder_;
  std::unique_ptr<FolderWatch> watch_;
  std::unique_ptr<Arrivals> arrivals_;
  QSocketNotifier* notice_ = nullptr;
  QTimer* poll_;
  QTimer* due_;
  bool trying_ = false;  // a play pumps events, and a notice then must not start another
};

}  // namespace sondrix

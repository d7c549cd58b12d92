#include "app/folder_follower.h"

#include <algorithm>
#include <chrono>

#include <QSocketNotifier>
#include <QTimer>

#include "app/qt_text.h"
#include "app/scope_exit.h"
#include "app/split_path.h"
#include "io/folder_watch.h"

namespace sondrix {
namespace {

constexpr int kBusyRetryMs = 50;

}  // namespace

FolderFollower::FolderFollower(FollowLinks links, QObject* parent)
    : QObject(parent), links_(std::move(links)), poll_(new QTimer(this)), due_(new QTimer(this)) {
  poll_->setInterval(1000);
  connect(poll_, &QTimer::timeout, this, &FolderFollower::changed);
  due_->setSingleShot(true);
  connect(due_, &QTimer::timeout, this, &FolderFollower::tryDue);
}

FolderFollower::~FolderFollower() = default;

void FolderFollower::start(const QString& folder, bool poll) {
  stop();
  folder_ = folder;
  // Watched before the first listing, so that nothing written in between goes unseen.
  watch_ = std::make_unique<FolderWatch>(FileSystemPath(folder), poll);
  arrivals_ = std::make_unique<Arrivals>(times_);
  arrivals_->knownAlready(list());
  if (watch_->notifies()) {
    notice_ = new QSocketNotifier(watch_->descriptor(), QSocketNotifier::Read, this);
    connect(notice_, &QSocketNotifier::activated, this, &FolderFollower::changed);
  } else {
    poll_->start();
  }
}

void FolderFollower::stop() {
  // A play may stop following from within the notifier's own signal: it goes once that returns.
  if (notice_) {
    notice_->setEnabled(false);
    notice_->deleteLater();
    notice_ = nullptr;
  }
  poll_->stop();
  due_->stop();
  watch_.reset();
  arrivals_.reset();
}

std::vector<FolderEntry> FolderFollower::list() const {
  return ListFolder(FileSystemPath(folder_),
                    [this](std::string_view name) { return links_.wanted(U(name)); });
}

void FolderFollower::changed() {
  if (!watch_) return;
  const FolderChanges changes = watch_->take();
  const Arrivals::Time now = Arrivals::Clock::now();
  arrivals_->listed(list(), now);
  for (const std::string& name : changes.closed) arrivals_->closed(name, now);
  tryDue();
}

void FolderFollower::tryDue() {
  if (!arrivals_) return;
  if (trying_ || links_.busy()) {
    due_->start(kBusyRetryMs);
    return;
  }
  trying_ = true;
  const ScopeExit done([this] { trying_ = false; });
  std::vector<std::string> due = arrivals_->due(Arrivals::Clock::now());
  const bool storing = links_.storing();
  // Newest first when only the newest is to be shown; in order of arrival when each is stored.
  if (!storing) std::reverse(due.begin(), due.end());
  bool shown = false;
  for (const std::string& name : due) {
    if (!arrivals_) return;  // a play stopped the following (the window is closing)
    if (shown) {
      arrivals_->accepted(name);  // older than the one shown: passed over, not unreadable
      continue;
    }
    const QString reason = links_.play(JoinPath(folder_, U(name)));
    if (!arrivals_) return;
    if (!reason.isEmpty()) {
      arrivals_->refused(name, Std(reason));
      continue;
    }
    arrivals_->accepted(name);
    if (storing) {
      links_.store(U(name));
    } else {
      shown = true;
    }
  }
  if (!arrivals_) return;
  for (const auto& [name, reason] : arrivals_->overdue(Arrivals::Clock::now())) {
    links_.unreadable(U(name), U(reason));
  }
  wakeForNext();
}

void FolderFollower::wakeForNext() {
  const std::optional<Arrivals::Time> next = arrivals_->next();
  if (!next) {
    due_->stop();
    return;
  }
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*next - Arrivals::Clock::now());
  due_->start(static_cast<int>(std::clamp<std::int64_t>(wait.count(), 0, 60'000)));
}

}  // namespace sondrix

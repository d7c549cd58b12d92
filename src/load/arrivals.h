#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "io/folder_watch.h"

namespace sondrix {

struct ArrivalTimes {
  // A file whose size has stood still this long is complete enough to try.
  std::chrono::milliseconds settle{200};
  // A file still unreadable this long after it appeared is reported.
  std::chrono::milliseconds giveUp{10000};
};

// The captures that appear in a followed folder, and when each may be read: once its size has
// stood still for the settle time, or at once when its writer has closed it. A capture the reader
// refuses (still being written, or broken) waits for its next change; one that stays unreadable
// past the give-up time is reported once, with the reader's reason.
class Arrivals {
 public:
  using Clock = std::chrono::steady_clock;
  using Time = Clock::time_point;

  explicit Arrivals(ArrivalTimes times = {}) : times_(times) {}

  // The files present when following begins: not new; only a later change makes them so.
  void knownAlready(const std::vector<FolderEntry>& listing);
  // A listing at `now`: a file new or changed since the last one starts its settle time again;
  // a file no longer listed is forgotten.
  void listed(const std::vector<FolderEntry>& listing, Time now);
  // The writer of a listed file closed it: it need not wait out its settle time.
  void closed(const std::string& name, Time now);

  // The files complete enough to try, in order of arrival; each is handed out once per change.
  std::vector<std::string> due(Time now);
  // The reader's verdict on a file handed out. A refused file is tried again when it changes.
  void accepted(const std::string& name);
  void refused(const std::string& name, std::string reason);
  // Files that the reader has refused since they appeared or changed `giveUp` ago, each with the
  // last reason, each once.
  std::vector<std::pair<std::string, std::string>> overdue(Time now);
  // When due() or overdue() next has something to give; nullopt while nothing waits.
  std::optional<Time> next() const;

 private:
  struct Entry {
    FolderEntry seen;
    std::uint64_t order = 0;             // arrival: the first listing that held it
    std::optional<Time> unread;          // new or changed at this time, and not read since
    std::optional<Time> settles;         // waiting to be tried from then on
    std::optional<std::string> refusal;  // the reader's last reason, until it is read
    bool reported = false;
  };

  ArrivalTimes times_;
  std::map<std::string, Entry> entries_;
  std::uint64_t arrivals_ = 0;
};

}  // namespace sondrix

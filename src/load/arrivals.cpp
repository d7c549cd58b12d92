#include "load/arrivals.h"

#include <algorithm>
#include <tuple>

namespace sondrix {

void Arrivals::knownAlready(const std::vector<FolderEntry>& listing) {
  entries_.clear();
  for (const FolderEntry& file : listing) {
    Entry& entry = entries_[file.name];
    entry.seen = file;
    entry.order = arrivals_++;
  }
}

void Arrivals::listed(const std::vector<FolderEntry>& listing, Time now) {
  // Files new to the same listing arrived in the order they were last written.
  std::vector<const FolderEntry*> files;
  files.reserve(listing.size());
  for (const FolderEntry& file : listing) files.push_back(&file);
  std::sort(files.begin(), files.end(), [](const FolderEntry* a, const FolderEntry* b) {
    return std::tie(a->modified, a->name) < std::tie(b->modified, b->name);
  });
  std::map<std::string, Entry> kept;
  for (const FolderEntry* listed : files) {
    const FolderEntry& file = *listed;
    auto old = entries_.find(file.name);
    if (old == entries_.end()) {
      Entry entry{file, arrivals_++, now, now + times_.settle, std::nullopt, false};
      kept.emplace(file.name, std::move(entry));
      continue;
    }
    Entry entry = std::move(old->second);
    if (entry.seen.size != file.size || entry.seen.modified != file.modified) {
      entry.seen = file;
      entry.settles = now + times_.settle;
      if (!entry.unread) entry.unread = now;
    }
    kept.emplace(file.name, std::move(entry));
  }
  entries_ = std::move(kept);
}

void Arrivals::closed(const std::string& name, Time now) {
  const auto entry = entries_.find(name);
  if (entry != entries_.end() && entry->second.settles) {
    entry->second.settles = std::min(*entry->second.settles, now);
  }
}

std::vector<std::string> Arrivals::due(Time now) {
  std::vector<const Entry*> ready;
  for (auto& [name, entry] : entries_) {
    if (entry.settles && *entry.settles <= now) ready.push_back(&entry);
  }
  std::sort(ready.begin(), ready.end(),
            [](const Entry* a, const Entry* b) { return a->order < b->order; });
  std::vector<std::string> names;
  names.reserve(ready.size());
  for (const Entry* entry : ready) names.push_back(entry->seen.name);
  for (const std::string& name : names) {
    Entry& entry = entries_.at(name);
    entry.settles.reset();
    entry.refusal.reset();
  }
  return names;
}

void Arrivals::accepted(const std::string& name) {
  const auto entry = entries_.find(name);
  if (entry == entries_.end()) return;
  entry->second.unread.reset();
  entry->second.reported = false;
}

void Arrivals::refused(const std::string& name, std::string reason) {
  const auto entry = entries_.find(name);
  if (entry != entries_.end()) entry->second.refusal = std::move(reason);
}

std::vector<std::pair<std::string, std::string>> Arrivals::overdue(Time now) {
  std::vector<std::pair<std::string, std::string>> late;
  for (auto& [name, entry] : entries_) {
    if (!entry.refusal || entry.reported || !entry.unread || now < *entry.unread + times_.giveUp) {
      continue;
    }
    entry.reported = true;
    late.emplace_back(name, *entry.refusal);
  }
  return late;
}

std::optional<Arrivals::Time> Arrivals::next() const {
  std::optional<Time> first;
  const auto consider = [&first](Time t) {
    if (!first || t < *first) first = t;
  };
  for (const auto& [name, entry] : entries_) {
    if (entry.settles) consider(*entry.settles);
    if (entry.refusal && !entry.reported && entry.unread) consider(*entry.unread + times_.giveUp);
  }
  return first;
}

}  // namespace sondrix

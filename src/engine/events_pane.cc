#include "engine/events_pane.h"

namespace qlr {
namespace {

std::string EventText(EventKind kind, const std::string& detail) {
  switch (kind) {
    case EventKind::ForceCompletion:
      return "Force Completion";
    case EventKind::FileTrigger:
      return "File Trigger(" + detail + ")";
    case EventKind::File:
      return "File(" + detail + ")";
    case EventKind::Modification:
      break;
  }
  return detail;
}

}  // namespace

void EventsPane::Insert(Job& job, int index, EventKind kind, const std::string& detail) {
  ++counter_;
  entries_.push_back(
      {job.JobName.Padded() + "\t" + EventText(kind, detail), counter_, index, kind});
  job.EventIndex = counter_;
}

void EventsPane::Delete(Job& job) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it)
    if (it->forceable() && it->key == job.EventIndex) {
      entries_.erase(it);
      job.EventIndex = -1;
      break;
    }
  if (entries_.empty()) counter_ = -1;
}

void EventsPane::AddModification(const std::string& line) {
  entries_.push_back({line, ++counter_, 0, EventKind::Modification});
}

void EventsPane::Clear() {
  entries_.clear();
  counter_ = -1;
}

const EventEntry* EventsPane::Forceable(PaneRow row) const {
  if (row.index < 0 || row.index >= static_cast<int>(entries_.size())) return nullptr;
  const EventEntry& entry = entries_[static_cast<size_t>(row.index)];
  return entry.forceable() ? &entry : nullptr;
}

}  // namespace qlr
